#pragma once
/// @file
/// @ingroup stream
/// The process's standard input and output as a byte stream. It cannot seek and never reports
/// its end: a Read of 0 bytes is how it says that input has run out.
#include <corvax/stream/stream.h>

namespace corvax {

/// Standard input and output as one unseekable stream.
class TCStandardIO : public TStream {
 public:
  /// Flushes standard output.
  int Flush() override;
  /// From standard input; blocks until count bytes arrived or input ended.
  int Read(void* buffer, int count) override;
  /// To standard output.
  int Write(const void* buffer, int count) override;
};

}  // namespace corvax
