#include <corvax/process/pipe_stream.h>

#include <algorithm>
#include <cstring>

#include <corvax/runtime/exceptions.h>

#include "process_glue.h"

namespace corvax {

using namespace process_glue;

TPipeStream::~TPipeStream() {
  Close();
}

int TPipeStream::Close() {
  ClosePipe(readHandle_);
  ClosePipe(writeHandle_);
  readHandle_ = -1;
  writeHandle_ = -1;
  return 0;
}

int TPipeStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  if (buffered_ > 0) {
    const int n = std::min(count, buffered_);
    std::memcpy(buffer, lineBuffer_.data() + start_, static_cast<std::size_t>(n));
    start_ += n;
    buffered_ -= n;
    return n;
  }
  return ReadPipe(readHandle_, buffer, count);
}

int TPipeStream::Write(const void* buffer, int count) {
  return WritePipe(writeHandle_, buffer, count);
}

int TPipeStream::HeldLineFeed() const {
  const auto* held = lineBuffer_.data() + start_;
  const auto* feed = static_cast<const std::uint8_t*>(
      std::memchr(held, '\n', static_cast<std::size_t>(buffered_)));
  return feed ? static_cast<int>(feed - held) : -1;
}

String TPipeStream::ReadTextLine() {
  int k = HeldLineFeed();
  if (k < 0) {
    const int waiting = PipeBytesAvailable(readHandle_);
    if (waiting > 0) {
      if (buffered_ == kLineBufferSize) ThrowRuntimeError(u"PipeStream ReadBuffer Overflow");
      std::memmove(lineBuffer_.data(), lineBuffer_.data() + start_,
                   static_cast<std::size_t>(buffered_));
      start_ = 0;
      const int room = kLineBufferSize - buffered_;
      const int old = buffered_;
      buffered_ += ReadPipe(readHandle_, lineBuffer_.data() + buffered_, std::min(waiting, room));
      const auto* feed = static_cast<const std::uint8_t*>(
          std::memchr(lineBuffer_.data() + old, '\n', static_cast<std::size_t>(buffered_ - old)));
      if (feed) k = static_cast<int>(feed - lineBuffer_.data());
    }
  }
  if (k < 0) return String();
  const auto* held = lineBuffer_.data() + start_;
  const int end = (k > 0 && held[k - 1] == '\r') ? k - 1 : k;
  const int first = (held[0] == '\r') ? 1 : 0;
  String line;
  if (end > first) line.assign(held + first, held + end);
  start_ += k + 1;
  buffered_ -= k + 1;
  if (buffered_ == 0) start_ = 0;
  return line;
}

int TPipeStream::BytesAvailable() {
  return buffered_ + PipeBytesAvailable(readHandle_);
}

std::vector<std::uint8_t> TPipeStream::ReadAvailable() {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(BytesAvailable()));
  int got = 0;
  // The buffered bytes and the pipe's are read separately: one Read stops at the buffer's end.
  while (got < static_cast<int>(bytes.size())) {
    const int n = Read(bytes.data() + got, static_cast<int>(bytes.size()) - got);
    if (n <= 0) break;
    got += n;
  }
  bytes.resize(static_cast<std::size_t>(got));
  return bytes;
}

Ref<TPipeStream> TPipeStream::Create(int readHandle, int writeHandle) {
  return Ref<TPipeStream>(new TPipeStream(readHandle, writeHandle));
}

}  // namespace corvax
