#include <corvax/pixmap/png_loader.h>

#include <csetjmp>
#include <cstdint>
#include <vector>

#include <corvax/stream/data_input.h>

#include "callback_guard.h"
#include "png_support.h"

namespace corvax {
namespace {

// Everything a decode builds lives here rather than on the frame that libpng may jump out of.
struct PngRead {
  TStream* stream;
  CallbackGuard guard;
  Ref<TPixmap> pixmap;
  std::vector<png_bytep> rows;
};

void ReadData(png_structp png, png_bytep data, png_size_t length) {
  auto* read = static_cast<PngRead*>(png_get_io_ptr(png));
  const bool ok =
      read->guard.Run([&] { ReadStoredBytes(*read->stream, data, static_cast<int>(length)); });
  if (!ok) png_error(png, "read failed");
}

// Deflate packs at most 1032 bytes into one, so image data needing more than that many times
// what the stream still holds cannot be there: such a file is refused before its pixmap is
// allocated. A stream that cannot tell its length is given the benefit of the doubt.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

bool StreamCanHold(TStream& stream, std::uint64_t imageBytes) {
  const int position = stream.Position();
  if (position < 0) return true;
  const std::int64_t left = std::int64_t{stream.Length()} - position;
  return left >= 0 && imageBytes <= static_cast<std::uint64_t>(left) * kMaxDeflateRatio;
}

// The pixmap format for a decoded colour type; 0 for none.
int FormatFor(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
      return FORMAT_GREY8;
    case PNG_COLOR_TYPE_RGB:
      return FORMAT_RGB888;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return FORMAT_RGBA8888;
    default:
      return 0;
  }
}

// Makes the pixmap and points libpng's rows into it, so the image decodes in place.
bool PreparePixmap(PngRead& read, png_uint_32 width, png_uint_32 height, int format) {
  if (!format || !TPixmap::IsAcceptableSize(width, height, format)) return false;
  return read.guard.Run([&] {
    read.pixmap = PixmapCreate(static_cast<int>(width), static_cast<int>(height), format);
    read.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) read.rows[y] = read.pixmap->PixelAddress(0, y);
  });
}

// Only trivially destructible locals here: libpng leaves this frame by longjmp on any error.
bool Decode(png_structp png, png_infop info, PngRead& read) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &read, ReadData);
  // Only the image chunks are read: text, profiles and the rest are skipped unread, so none of
  // their declared sizes is ever allocated.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  const std::uint64_t imageBytes =
      std::uint64_t{png_get_rowbytes(png, info)} * png_get_image_height(png, info);
  if (!StreamCanHold(*read.stream, imageBytes)) return false;

  // The transforms of a whole-image read with strip-16 and expand; grey with alpha (also
  // grey with a transparency chunk) spreads its grey into red, green and blue.
  const int sourceType = png_get_color_type(png, info);
  png_set_strip_16(png);
  png_set_expand(png);
  if (sourceType == PNG_COLOR_TYPE_GRAY_ALPHA ||
      (sourceType == PNG_COLOR_TYPE_GRAY && png_get_valid(png, info, PNG_INFO_tRNS))) {
    png_set_gray_to_rgb(png);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  if (png_get_bit_depth(png, info) != 8) return false;
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!PreparePixmap(read, width, height, FormatFor(png_get_color_type(png, info)))) return false;
  png_read_image(png, read.rows.data());
  png_read_end(png, info);
  return true;
}

}  // namespace

Ref<TPixmap> TPixmapLoaderPNG::LoadPixmapFrom(const Ref<TStream>& stream) {
  png_byte signature[8] = {};
  stream->ReadBlock(signature, 8);
  if (png_sig_cmp(signature, 0, 8) != 0) return nullptr;

  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png_support::OnError,
                                           png_support::OnWarning);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  PngRead read{stream.get(), {}, nullptr, {}};
  const bool decoded = Decode(png, info, read);
  png_destroy_read_struct(&png, &info, nullptr);
  read.guard.RethrowIfFailed();
  return decoded ? read.pixmap : nullptr;
}

}  // namespace corvax
