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
  /// @return 0, or -1 when that failed.
  int Flush() override;
  /// From standard input; blocks until count bytes arrived or input ended.
  /// @param buffer Where the bytes go.
  /// @param count The number asked for.
  /// @return The number read.
  int Read(void* buffer, int count) override;
  /// To standard output.
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The number written.
  int Write(const void* buffer, int count) override;
};

}  // namespace corvax
