#pragma once
/// @file
/// @ingroup stream
/// Closing a stream on every way out of the scope that opened it.
#include <corvax/stream/stream.h>

namespace corvax {

/// Holds a stream that the scope opened and nobody else can reach. Call Close() on the normal
/// way out, where a failing Close reaches the caller; when an exception leaves the scope first,
/// the guard closes the stream and lets that exception through, whatever the Close does.
class StreamCloseGuard {
 public:
  /// @param stream The stream guarded, which may be Null.
  explicit StreamCloseGuard(Ref<TStream> stream) : stream_(std::move(stream)) {}
  StreamCloseGuard(const StreamCloseGuard&) = delete;
  StreamCloseGuard& operator=(const StreamCloseGuard&) = delete;
  /// Closes the stream unless Close() has.
  ~StreamCloseGuard();

  /// Closes the stream now; its exceptions reach the caller. Once only.
  void Close();

 private:
  Ref<TStream> stream_;
};

}  // namespace corvax
