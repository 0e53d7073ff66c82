#include <corvax/pixmap/jpeg_loader.h>

#include <memory>

#include <corvax/stream/open_url.h>

#include "callback_guard.h"
#include "jpeg_support.h"

namespace corvax {
namespace {

// Everything an encode builds lives here rather than on the frame that libjpeg may jump out of.
struct JpegWrite {
  jpeg_destination_mgr destination;  // first, so libjpeg's pointer is also this object
  TStream* stream = nullptr;
  CallbackGuard guard;
  jpeg_support::ErrorManager errors;
  jpeg_compress_struct cinfo{};
  JOCTET buffer[jpeg_support::kBufferBytes];
};

JpegWrite& WriteOf(j_compress_ptr cinfo) {
  return *reinterpret_cast<JpegWrite*>(cinfo->dest);
}

void Restart(JpegWrite& write) {
  write.destination.next_output_byte = write.buffer;
  write.destination.free_in_buffer = jpeg_support::kBufferBytes;
}

void Send(j_compress_ptr cinfo, int count) {
  JpegWrite& write = WriteOf(cinfo);
  if (!write.guard.Run([&] { write.stream->WriteBlock(write.buffer, count); })) {
    ERREXIT(cinfo, JERR_FILE_WRITE);
  }
  Restart(write);
}

void InitDestination(j_compress_ptr cinfo) {
  Restart(WriteOf(cinfo));
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  Send(cinfo, jpeg_support::kBufferBytes);
  return TRUE;
}

// The bytes still in the buffer at the end are the file's last ones.
void TermDestination(j_compress_ptr cinfo) {
  Send(cinfo,
       jpeg_support::kBufferBytes - static_cast<int>(WriteOf(cinfo).destination.free_in_buffer));
}

// Only trivially destructible locals here: libjpeg leaves this frame by longjmp on any error.
bool Encode(JpegWrite& write, const TPixmap& rgb, int quality) {
  jpeg_compress_struct& cinfo = write.cinfo;
  cinfo.err = jpeg_support::Install(write.errors);
  if (setjmp(write.errors.jump)) return false;
  jpeg_create_compress(&cinfo);
  write.destination.init_destination = InitDestination;
  write.destination.empty_output_buffer = EmptyOutputBuffer;
  write.destination.term_destination = TermDestination;
  cinfo.dest = &write.destination;

  cinfo.image_width = static_cast<JDIMENSION>(rgb.Width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = rgb.PixelAddress(0, static_cast<int>(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

bool PixmapSaveJPEG(const Ref<TPixmap>& pixmap, const Url& url, int quality) {
  const Ref<TPixmap> rgb = pixmap->ConvertTo(FORMAT_RGB888);
  const Ref<TStream> stream = OpenWriteStream(url);
  if (!stream) return 0;
  auto write = std::make_unique<JpegWrite>();
  write->stream = stream.get();
  const bool written = Encode(*write, *rgb, quality);
  jpeg_destroy_compress(&write->cinfo);
  // The last buffered bytes reach a file as it closes: a full disk shows only there.
  const bool closed = stream->Close() == 0;
  write->guard.RethrowIfFailed();
  return written && closed;
}

}  // namespace corvax
