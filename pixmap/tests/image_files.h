#pragma once
// Small image files written by the tests themselves, byte by byte or through the reference
// libraries, and ways to load them.
#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <corvax/pixmap/pixmap_module.h>
#include <corvax/stream/ram_stream.h>

namespace corvax::testing {

using Bytes = std::vector<std::uint8_t>;

// PixmapLoad over a read-only memory stream holding the bytes.
inline Ref<TPixmap> LoadImage(const Bytes& bytes) {
  return PixmapLoad(CreateRamStream(const_cast<std::uint8_t*>(bytes.data()),
                                    static_cast<int>(bytes.size()), true, false));
}

// The loader of class T that start-up linked into the chain.
template <class T>
Ref<T> RegisteredLoader() {
  StartupPixmapModule();
  for (Ref<TPixmapLoader> l = TPixmapLoader::FirstLoader(); l; l = l->NextLoader()) {
    if (Ref<T> loader = Cast<T>(l)) return loader;
  }
  return nullptr;
}

// One loader alone; its TStreamException passes out.
inline Ref<TPixmap> LoadWith(const Ref<TPixmapLoader>& loader, const Bytes& bytes) {
  return loader->LoadPixmapFrom(CreateRamStream(const_cast<std::uint8_t*>(bytes.data()),
                                                static_cast<int>(bytes.size()), true, false));
}

// Little-endian file bytes.
struct FileWriter {
  Bytes bytes;
  FileWriter& U8(int v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  FileWriter& U16(int v) { return U8(v).U8(v >> 8); }
  FileWriter& U32(std::uint32_t v) {
    return U16(static_cast<int>(v & 0xFFFF)).U16(static_cast<int>(v >> 16));
  }
  FileWriter& Raw(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
};

using BmpEntry = std::array<std::uint8_t, 4>;  // blue, green, red, reserved

// A bitmap with a 40-byte information header; rows are given top-down without padding and
// stored bottom-up, each padded to 4 bytes.
inline Bytes MakeBmp(int width, int height, int bits, const std::vector<BmpEntry>& palette,
                     std::uint32_t coloursUsed, const std::vector<Bytes>& rowsTopDown,
                     std::uint32_t compression = 0) {
  FileWriter f;
  f.U8('B').U8('M').U32(0).U32(0).U32(0).U32(40);
  f.U32(static_cast<std::uint32_t>(width)).U32(static_cast<std::uint32_t>(height));
  f.U16(1).U16(bits).U32(compression).U32(0).U32(2835).U32(2835).U32(coloursUsed).U32(0);
  for (const BmpEntry& e : palette) f.U8(e[0]).U8(e[1]).U8(e[2]).U8(e[3]);
  for (auto row = rowsTopDown.rbegin(); row != rowsTopDown.rend(); ++row) {
    f.Raw(*row);
    for (std::size_t pad = row->size(); pad % 4; ++pad) f.U8(0xCC);
  }
  return f.bytes;
}

// An 18-byte Targa header, an identification field, then the pixel bytes as given.
inline Bytes MakeTga(int imageType, int width, int height, int bits, const Bytes& pixelData,
                     int descriptor = 0, const Bytes& id = {}) {
  FileWriter f;
  f.U8(static_cast<int>(id.size())).U8(0).U8(imageType);
  for (int i = 0; i < 5; ++i) f.U8(0);
  f.U16(0).U16(0).U16(width).U16(height).U8(bits).U8(descriptor);
  f.Raw(id).Raw(pixelData);
  return f.bytes;
}

struct PngSpec {
  int width = 1;
  int height = 1;
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  std::vector<Bytes> rows = {};  // raw samples, 16-bit ones high byte first
  std::vector<png_color> palette = {};
  Bytes paletteAlpha = {};                          // a tRNS chunk for palette images
  const png_color_16* transparentColour = nullptr;  // a tRNS chunk for grey or RGB images
  bool interlaced = false;
};

inline Bytes MakePng(const PngSpec& spec) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
        o->insert(o->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!spec.palette.empty()) {
    png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
  }
  if (!spec.paletteAlpha.empty()) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()),
                 nullptr);
  }
  if (spec.transparentColour) png_set_tRNS(png, info, nullptr, 0, spec.transparentColour);
  std::vector<png_bytep> rows;
  for (const Bytes& row : spec.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// How MakeJpeg has libjpeg code the data: its default is a baseline file with the standard
// Huffman tables.
struct JpegCoding {
  bool progressive = false;
  bool optimizedTables = false;  // Huffman tables fitted to the data: the fewest bits
  bool arithmetic = false;
};

// A JPEG straight from libjpeg: 1 component (grey), 3 (RGB) or 4 (CMYK).
inline Bytes MakeJpeg(int width, int height, int components, const Bytes& pixels, int quality = 95,
                      JpegCoding coding = {}) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (coding.progressive) jpeg_simple_progression(&cinfo);
  cinfo.optimize_coding = coding.optimizedTables ? TRUE : FALSE;
  cinfo.arith_code = coding.arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + cinfo.next_scanline * width * components);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

// Every prefix of a file shorter than the whole must load as Null, whatever it cuts through.
inline void ExpectEveryTruncationRefused(const Bytes& file, int step = 1) {
  for (std::size_t length = 0; length < file.size(); length += step) {
    const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    ASSERT_TRUE(LoadImage(prefix).IsNull()) << "prefix of " << length << " bytes";
  }
}

}  // namespace corvax::testing
