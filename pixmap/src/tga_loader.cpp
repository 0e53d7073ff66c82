#include <corvax/pixmap/tga_loader.h>

#include <bit>
#include <vector>

#include <corvax/pixmap/pixel_row.h>

#include "byte_reader.h"

namespace corvax {
namespace {

// The 18-byte file header.
struct tgahdr {
  std::uint8_t idlen = 0;
  std::uint8_t colourmaptype = 0;
  std::uint8_t imagetype = 0;
  std::uint8_t colourmapspec[5] = {};
  std::uint16_t xorigin = 0;
  std::uint16_t yorigin = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t bits = 0;
  std::uint8_t descriptor = 0;
};

static_assert(std::endian::native == std::endian::little,
              "decoded rows are handed on as the bytes of packed ARGB values");

constexpr int kRawImage = 2;
constexpr int kRunLengthImage = 10;
constexpr int kMaxSide = 4096;

tgahdr ReadHeader(ByteReader& in) {
  tgahdr h;
  std::uint8_t first[8];
  in.Bytes(first, 8);
  h.idlen = first[0];
  h.colourmaptype = first[1];
  h.imagetype = first[2];
  for (int i = 0; i < 5; ++i) h.colourmapspec[i] = first[3 + i];
  h.xorigin = in.U16();
  h.yorigin = in.U16();
  h.width = in.U16();
  h.height = in.U16();
  h.bits = in.U8();
  h.descriptor = in.U8();
  return h;
}

// Colour-mapped images (type 1) are refused: their pixels are indices this loader does not
// resolve, and a pixmap of them would show nothing that the file holds.
bool IsSupported(const tgahdr& h) {
  return h.colourmaptype == 0 && (h.imagetype == kRawImage || h.imagetype == kRunLengthImage) &&
         (h.bits == 15 || h.bits == 16 || h.bits == 24 || h.bits == 32) && h.width >= 1 &&
         h.width <= kMaxSide && h.height >= 1 && h.height <= kMaxSide;
}

ARGB Decode(const std::uint8_t* p, int bits) {
  switch (bits) {
    case 15:
    case 16: {
      const ARGB v = ByteReader::LittleU16(p);
      const ARGB alpha = bits == 16 && (v & 0x8000) ? 0 : 255;
      return alpha << 24 | ((v >> 7) & 0xF8) << 16 | ((v >> 2) & 0xF8) << 8 | ((v << 3) & 0xF8);
    }
    case 24:
      return 0xFF000000u | ARGB{p[2]} << 16 | ARGB{p[1]} << 8 | p[0];
    default:
      return ARGB{p[3]} << 24 | ARGB{p[2]} << 16 | ARGB{p[1]} << 8 | p[0];
  }
}

void ReadRawRow(ByteReader& in, int bits, std::vector<ARGB>& row) {
  const int bytes = (bits + 7) / 8;
  std::uint8_t pixels[kMaxSide * 4];
  in.Bytes(pixels, row.size() * bytes);
  for (std::size_t x = 0; x < row.size(); ++x) row[x] = Decode(pixels + x * bytes, bits);
}

// Packets end with the row: pixels that would run past it are read and dropped.
void ReadRunLengthRow(ByteReader& in, int bits, std::vector<ARGB>& row) {
  const int bytes = (bits + 7) / 8;
  std::uint8_t pixel[4];
  std::size_t x = 0;
  while (x < row.size()) {
    const int packet = in.U8();
    if (packet & 0x80) {
      in.Bytes(pixel, bytes);
      const ARGB value = Decode(pixel, bits);
      for (int n = packet - 127; n > 0 && x < row.size(); --n) row[x++] = value;
    } else {
      for (int n = packet + 1; n > 0; --n) {
        in.Bytes(pixel, bytes);
        if (x < row.size()) row[x++] = Decode(pixel, bits);
      }
    }
  }
}

}  // namespace

Ref<TPixmap> TPixmapLoaderTGA::LoadPixmapFrom(const Ref<TStream>& stream) {
  ByteReader in(*stream);
  const tgahdr h = ReadHeader(in);
  if (!IsSupported(h)) return nullptr;
  const int format = h.bits == 16 || h.bits == 32 ? FORMAT_RGBA8888 : FORMAT_RGB888;
  in.Skip(h.idlen);
  if (h.imagetype == kRawImage &&
      !in.CanHold(std::uint64_t{h.width} * h.height * ((h.bits + 7) / 8))) {
    throw TStreamReadException();
  }
  Ref<TPixmap> pixmap = PixmapCreate(h.width, h.height, format);
  std::vector<ARGB> row(h.width);
  for (int y = h.height - 1; y >= 0; --y) {
    if (h.imagetype == kRawImage) {
      ReadRawRow(in, h.bits, row);
    } else {
      ReadRunLengthRow(in, h.bits, row);
    }
    // Packed ARGB values lie in memory as blue, green, red, alpha.
    ConvertPixelRow(row.data(), FORMAT_BGRA8888, pixmap->PixelAddress(0, y), format, h.width);
  }
  return pixmap;
}

}  // namespace corvax
