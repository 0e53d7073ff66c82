#include <corvax/pixmap/jpeg_loader.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "callback_guard.h"
#include "jpeg_support.h"
#include "pixmap_allocator.h"

namespace corvax {
namespace {

// libjpeg's own working memory (a progressive image keeps all its coefficients) is capped, so
// a small file claiming a huge image fails rather than exhausting memory.
constexpr long kMaxWorkingMemory = 1L << 30;

// Arithmetic coding can spend a tiny fraction of a bit on a block of flat colour, so a genuine
// file of a huge plain picture may be a few hundred bytes; only past this many pixels does such a
// file have to hold the Huffman-coded minimum as well.
constexpr std::int64_t kArithmeticPixelsUnchecked = std::int64_t{1} << 24;

// The stream's length is not known (it cannot seek, or says 0).
constexpr std::int64_t kUnknownLength = -1;

constexpr int kBitsPerByte = 8;

// Everything a decode builds lives here rather than on the frame that libjpeg may jump out of.
struct JpegRead {
  jpeg_source_mgr source;  // first, so libjpeg's source pointer is also this object
  TStream* stream = nullptr;
  std::int64_t available = kUnknownLength;  // bytes from the loader's start to the stream's end
  CallbackGuard guard;
  jpeg_support::ErrorManager errors;
  jpeg_decompress_struct cinfo{};
  Ref<TPixmap> pixmap;
  JOCTET buffer[jpeg_support::kBufferBytes];
};

JpegRead& ReadOf(j_decompress_ptr cinfo) {
  return *reinterpret_cast<JpegRead*>(cinfo->src);
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// The end of data before the image's end is an error: a truncated file gives no pixmap.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
  JpegRead& read = ReadOf(cinfo);
  int n = 0;
  const bool ok =
      read.guard.Run([&] { n = read.stream->Read(read.buffer, jpeg_support::kBufferBytes); });
  if (!ok || n <= 0) ERREXIT(cinfo, JERR_INPUT_EOF);
  read.source.next_input_byte = read.buffer;
  read.source.bytes_in_buffer = static_cast<std::size_t>(n);
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr& source = ReadOf(cinfo).source;
  while (static_cast<unsigned long>(count) > source.bytes_in_buffer) {
    count -= static_cast<long>(source.bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  source.next_input_byte += count;
  source.bytes_in_buffer -= static_cast<std::size_t>(count);
}

int FormatFor(J_COLOR_SPACE space) {
  switch (space) {
    case JCS_GRAYSCALE:
      return FORMAT_GREY8;
    case JCS_RGB:
      return FORMAT_RGB888;
    default:
      return 0;
  }
}

// Huffman coding gives every data unit of a component at least one code of at least one bit (a
// sequential scan a DC and an AC code, a progressive image its DC first scan), so a picture of
// B blocks in its largest component needs B bits at the least, whatever else the file holds.
// Refusing less keeps a lying header (millions of pixels from a few hundred bytes) from making
// libjpeg decode a whole picture of filler, which takes seconds.
std::int64_t LeastCodedBytes(const jpeg_decompress_struct& cinfo) {
  std::int64_t blocks = 0;
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& component = cinfo.comp_info[c];
    blocks = std::max(blocks, static_cast<std::int64_t>(component.width_in_blocks) *
                                  static_cast<std::int64_t>(component.height_in_blocks));
  }
  return (blocks + kBitsPerByte - 1) / kBitsPerByte;
}

// False, with the reason on standard error, when the stream cannot hold the size claimed.
bool DataCanHoldPicture(const jpeg_decompress_struct& cinfo, std::int64_t available) {
  if (available == kUnknownLength) return true;
  const std::int64_t pixels =
      static_cast<std::int64_t>(cinfo.image_width) * static_cast<std::int64_t>(cinfo.image_height);
  if (cinfo.arith_code && pixels <= kArithmeticPixelsUnchecked) return true;
  const std::int64_t least = LeastCodedBytes(cinfo);
  if (available >= least) return true;
  std::fprintf(stderr,
               "jpeg: refusing a %u x %u picture from %lld bytes: its coded data alone takes "
               "%lld bytes or more\n",
               static_cast<unsigned>(cinfo.image_width), static_cast<unsigned>(cinfo.image_height),
               static_cast<long long>(available), static_cast<long long>(least));
  return false;
}

bool PreparePixmap(JpegRead& read, int format) {
  const jpeg_decompress_struct& cinfo = read.cinfo;
  if (!format || !TPixmap::IsAcceptableSize(cinfo.image_width, cinfo.image_height, format)) {
    return false;
  }
  // The decoder writes every pixel of every row before the pixmap is returned.
  return read.guard.Run([&] {
    read.pixmap = PixmapAllocator::Create(static_cast<int>(cinfo.image_width),
                                          static_cast<int>(cinfo.image_height), format,
                                          PIXMAP_ALIGN, PixmapAllocator::kRowPaddingFilled);
  });
}

// Only trivially destructible locals here: libjpeg leaves this frame by longjmp on any error.
bool Decode(JpegRead& read) {
  jpeg_decompress_struct& cinfo = read.cinfo;
  cinfo.err = jpeg_support::Install(read.errors);
  if (setjmp(read.errors.jump)) return false;
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxWorkingMemory;
  read.source.init_source = InitSource;
  read.source.fill_input_buffer = FillInputBuffer;
  read.source.skip_input_data = SkipInputData;
  read.source.resync_to_restart = jpeg_resync_to_restart;
  read.source.term_source = TermSource;
  read.source.next_input_byte = nullptr;
  read.source.bytes_in_buffer = 0;
  cinfo.src = &read.source;

  jpeg_read_header(&cinfo, TRUE);
  if (!DataCanHoldPicture(cinfo, read.available)) return false;
  // Sized before libjpeg allocates anything for the image.
  const int format = FormatFor(cinfo.out_color_space);
  if (!PreparePixmap(read, format)) return false;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != BytesPerPixel[format] || cinfo.output_width != cinfo.image_width ||
      cinfo.output_height != cinfo.image_height) {
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = read.pixmap->PixelAddress(0, static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

Ref<TPixmap> TPixmapLoaderJPG::LoadPixmapFrom(const Ref<TStream>& stream) {
  auto read = std::make_unique<JpegRead>();
  read->stream = stream.get();
  const int start = stream->Position();
  const int length = stream->Length();
  if (start >= 0 && length > 0) read->available = std::max(0, length - start);
  const bool decoded = Decode(*read);
  jpeg_destroy_decompress(&read->cinfo);
  read->guard.RethrowIfFailed();
  return decoded ? read->pixmap : nullptr;
}

}  // namespace corvax
