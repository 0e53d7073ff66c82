#include <corvax/pixmap/bmp_loader.h>

#include <array>
#include <cstring>
#include <vector>

#include <corvax/pixmap/pixel_row.h>

#include "byte_reader.h"

namespace corvax {
namespace {

// The file header after "BM" and the 40-byte information header.
constexpr int kHeaderBytes = 52;
constexpr int kWidthAt = 16;
constexpr int kHeightAt = 20;
constexpr int kBitsAt = 26;
constexpr int kColoursUsedAt = 44;

using Entry = std::array<std::uint8_t, 4>;  // blue, green, red, reserved

// The palette as the pixels index it: entries the file does not hold repeat entry 0, so no
// index reads beyond what was read.
std::vector<Entry> ReadPalette(ByteReader& in, int bits, std::uint32_t coloursUsed) {
  const std::uint32_t indexable = 1u << bits;
  // A 1-bit file uses its first two entries whatever it claims to hold.
  const std::uint64_t stored = bits == 1 ? 2 : coloursUsed ? coloursUsed : indexable;
  const auto held = static_cast<std::uint32_t>(stored < indexable ? stored : indexable);
  std::vector<Entry> palette(indexable);
  for (std::uint32_t i = 0; i < held; ++i) in.Bytes(palette[i].data(), 4);
  for (std::uint32_t i = held; i < indexable; ++i) palette[i] = palette[0];
  in.Skip((stored - held) * 4);
  return palette;
}

// The palette index of pixel x in a row of 1, 4 or 8 bits per pixel.
int IndexAt(const std::uint8_t* row, int bits, int x) {
  switch (bits) {
    case 1:
      return row[x >> 3] >> (7 - (x & 7)) & 1;
    case 4:
      return x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

}  // namespace

Ref<TPixmap> TPixmapLoaderBMP::LoadPixmapFrom(const Ref<TStream>& stream) {
  char magic[2] = {};
  stream->ReadBlock(magic, 2);
  if (magic[0] != 'B' || magic[1] != 'M') return nullptr;
  ByteReader in(*stream);
  std::uint8_t header[kHeaderBytes];
  in.Bytes(header, kHeaderBytes);
  const auto width = static_cast<std::int32_t>(ByteReader::LittleU32(header + kWidthAt));
  const auto height = static_cast<std::int32_t>(ByteReader::LittleU32(header + kHeightAt));
  const int bits = ByteReader::LittleU16(header + kBitsAt);
  const std::uint32_t coloursUsed = ByteReader::LittleU32(header + kColoursUsedAt);

  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  const int format = bits == 32 ? FORMAT_BGRA8888 : FORMAT_BGR888;
  if (!TPixmap::IsAcceptableSize(width, height, format)) return nullptr;

  const bool indexed = bits <= 8;
  std::vector<Entry> palette;
  if (indexed) palette = ReadPalette(in, bits, coloursUsed);

  const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  if (!in.CanHold(rowBytes * height)) throw TStreamReadException();
  Ref<TPixmap> pixmap = PixmapCreate(width, height, format);
  std::vector<std::uint8_t> row(rowBytes);
  std::vector<Entry> entries(indexed ? width : 0);
  for (int y = height - 1; y >= 0; --y) {
    in.Bytes(row.data(), rowBytes);
    if (indexed) {
      for (int x = 0; x < width; ++x) entries[x] = palette[IndexAt(row.data(), bits, x)];
      // The reserved byte travels as alpha and is dropped by the BGR pixmap.
      ConvertPixelRow(entries.data(), FORMAT_BGRA8888, pixmap->PixelAddress(0, y), format, width);
    } else {
      CopyPixelRow(row.data(), pixmap->PixelAddress(0, y), format, width);
    }
  }
  return pixmap;
}

}  // namespace corvax
