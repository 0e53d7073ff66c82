#pragma once
/// @file
/// @ingroup process
/// A stream over the pipes to a child process: reads from one pipe, writes to another. It cannot
/// seek (Position -1, Length 0) and is never at its end: a read that meets a closed pipe gives 0.
#include <array>
#include <cstdint>
#include <vector>

#include <corvax/stream/stream.h>

namespace corvax {

/// A stream over a child process's pipes; it cannot seek and never reports its end.
class TPipeStream : public TStream {
 public:
  /// The longest line ReadTextLine can hold, in bytes.
  static constexpr int kLineBufferSize = 4096;

  /// Closes the pipes that are still open: nobody else can reach them.
  ~TPipeStream() override;

  bool AtEnd() override { return false; }
  /// Closes both pipes; a second Close does nothing.
  /// @return 0, or -1 when closing failed.
  int Close() override;
  /// Hands out bytes a line read left buffered first; otherwise waits until the child writes or
  /// closes its end.
  /// @param buffer Where the bytes go.
  /// @param count The number asked for.
  /// @return The number read; 0 once the child closed its end.
  int Read(void* buffer, int count) override;
  /// Writes to the child's input.
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The bytes written, fewer when the child has gone away.
  int Write(const void* buffer, int count) override;
  /// Never waits. Throws the runtime error "PipeStream ReadBuffer Overflow" when the line buffer is
  /// full, holds no line and more is waiting.
  /// @return A whole line, without its CR LF or LF, when one has arrived; otherwise the empty
  /// string, keeping what arrived for later.
  String ReadTextLine() override;

  /// @return Bytes that can be read now without waiting, the line buffer's included.
  virtual int BytesAvailable();
  /// @return Everything that can be read now; empty when nothing can.
  virtual std::vector<std::uint8_t> ReadAvailable();

  /// Takes over the pipe descriptors.
  /// @param readHandle The descriptor read from; -1 for none.
  /// @param writeHandle The descriptor written to; -1 for none.
  /// @return The stream.
  static Ref<TPipeStream> Create(int readHandle, int writeHandle);

  /// @return The descriptor read from, -1 when absent or closed.
  int ReadHandle() const { return readHandle_; }
  /// @return The descriptor written to, -1 when absent or closed.
  int WriteHandle() const { return writeHandle_; }

 private:
  TPipeStream(int readHandle, int writeHandle)
      : readHandle_(readHandle), writeHandle_(writeHandle) {}
  /// Where the first held byte's line feed is, or -1.
  int HeldLineFeed() const;

  /// The held bytes are lineBuffer_[start_, start_ + buffered_): taking a line only moves start_.
  std::array<std::uint8_t, kLineBufferSize> lineBuffer_{};
  int start_ = 0;
  int buffered_ = 0;
  int readHandle_ = -1;
  int writeHandle_ = -1;
};

}  // namespace corvax
