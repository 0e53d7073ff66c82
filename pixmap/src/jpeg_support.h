#pragma once
// What the JPEG loader and saver share about driving libjpeg.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>
// After jpeglib.h, which it builds on.
#include <jerror.h>

namespace corvax::jpeg_support {

// libjpeg leaves a failing call through error_exit, which jumps back to the caller's jump
// buffer. Warnings and messages print nothing, as the framework writes no log.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] inline void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
inline void OnMessage(j_common_ptr) {}

inline jpeg_error_mgr* Install(ErrorManager& errors) {
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnError;
  errors.pub.output_message = OnMessage;
  return &errors.pub;
}

// Bytes moved between libjpeg's buffer and a stream at a time.
constexpr int kBufferBytes = 65536;

}  // namespace corvax::jpeg_support
