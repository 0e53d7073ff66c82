#include <corvax/pixmap/png_loader.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

#include <corvax/stream/open_url.h>

#include "callback_guard.h"
#include "png_support.h"

namespace corvax {
namespace {

// The bytes go to a stream, or to memory when there is none.
struct PngWrite {
  TStream* stream;
  std::vector<std::uint8_t>* bytes;
  CallbackGuard guard;
};

void WriteData(png_structp png, png_bytep data, png_size_t length) {
  auto* write = static_cast<PngWrite*>(png_get_io_ptr(png));
  if (!write->guard.Run([&] {
        if (write->stream) {
          write->stream->WriteBlock(data, static_cast<int>(length));
        } else {
          write->bytes->insert(write->bytes->end(), data, data + length);
        }
      })) {
    png_error(png, "write failed");
  }
}

void FlushData(png_structp png) {
  auto* write = static_cast<PngWrite*>(png_get_io_ptr(png));
  if (!write->guard.Run([&] {
        if (write->stream) write->stream->Flush();
      })) {
    png_error(png, "flush failed");
  }
}

struct PngLayout {
  int colourType;
  int transforms;
};

// How a pixmap of this format is written; formats without one are converted to RGBA first.
bool LayoutFor(int format, PngLayout& layout) {
  switch (format) {
    case FORMAT_GREY8:
      layout = {PNG_COLOR_TYPE_GRAY, PNG_TRANSFORM_IDENTITY};
      return true;
    case FORMAT_BGR888:
      layout = {PNG_COLOR_TYPE_RGB, PNG_TRANSFORM_BGR};
      return true;
    case FORMAT_RGB888:
      layout = {PNG_COLOR_TYPE_RGB, PNG_TRANSFORM_IDENTITY};
      return true;
    case FORMAT_BGRA8888:
      layout = {PNG_COLOR_TYPE_RGB_ALPHA, PNG_TRANSFORM_BGR};
      return true;
    case FORMAT_RGBA8888:
      layout = {PNG_COLOR_TYPE_RGB_ALPHA, PNG_TRANSFORM_IDENTITY};
      return true;
    default:
      return false;
  }
}

// Only trivially destructible locals here: libpng leaves this frame by longjmp on any error.
bool Encode(png_structp png, png_infop info, PngWrite& write, const TPixmap& pixmap,
            png_bytepp rows, PngLayout layout, int level) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &write, WriteData, FlushData);
  png_set_compression_level(png, level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixmap.Width()),
               static_cast<png_uint_32>(pixmap.Height()), 8, layout.colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_rows(png, info, rows);
  png_write_png(png, info, layout.transforms, nullptr);
  return true;
}

// The whole file through `write`; false when libpng refuses.
bool Write(const TPixmap& pixmap, PngWrite& write, int compression) {
  const TPixmap* source = &pixmap;
  Ref<TPixmap> converted;
  PngLayout layout{};
  if (!LayoutFor(source->Format(), layout)) {
    converted = source->ConvertTo(FORMAT_RGBA8888);
    source = converted.get();
    LayoutFor(FORMAT_RGBA8888, layout);
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(source->Height()));
  for (int y = 0; y < source->Height(); ++y) rows[y] = source->PixelAddress(0, y);
  const int level = compression < 0 ? -1 : std::min(compression, 9);
  bool written = false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png_support::OnError,
                                            png_support::OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info) written = Encode(png, info, write, *source, rows.data(), layout, level);
  png_destroy_write_struct(&png, &info);
  return written;
}

}  // namespace

bool PixmapSavePNG(const Ref<TPixmap>& pixmap, const Url& url, int compression) {
  const Ref<TStream> stream = OpenWriteStream(url);
  if (!stream) return 0;
  PngWrite write{stream.get(), nullptr, {}};
  const bool written = Write(*pixmap, write, compression);
  // The last buffered bytes reach a file as it closes: a full disk shows only there.
  const bool closed = stream->Close() == 0;
  write.guard.RethrowIfFailed();
  return written && closed;
}

bool PixmapEncodePNG(const TPixmap& pixmap, int compression, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  PngWrite write{nullptr, &bytes, {}};
  const bool written = Write(pixmap, write, compression);
  write.guard.RethrowIfFailed();
  return written;
}

}  // namespace corvax
