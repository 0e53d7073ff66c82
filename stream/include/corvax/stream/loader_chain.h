#pragma once
/// @file
/// @ingroup stream
/// Loading a url through a chain of format loaders, each asked in turn from the same start.
/// Shared by the modules that keep such a chain (pixmaps, audio samples); programs call those
/// modules' load functions instead.
#include <corvax/runtime/exceptions.h>
#include <corvax/runtime/registration_chain.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/stream_close_guard.h>
#include <corvax/stream/stream_exceptions.h>

#include <functional>

namespace corvax {

/// What loading does when the url's stream cannot seek (its position is -1).
enum class UnseekableStream {
  /// No loader is asked; the load gives Null.
  kGivesNull,
  /// TRuntimeException "Stream is not seekable".
  kThrows,
};

/// Opens url and asks each loader of RegistrationChain<Loader>, newest first, to read it:
/// every loader starts at the position the stream had when opened, and read(loader, stream)
/// gives its result or Null when the data is not its format. A TStreamException from a loader
/// counts as Null; anything else it throws passes out. Null when the url cannot be opened or
/// no loader accepts the data. The stream opened is closed on every path (an open stream object
/// passed as the url stays open).
template <class Loader, class Read>
/// Opens url and asks each loader of RegistrationChain<Loader>, newest first, to read it: every
/// loader starts at the position the stream had when opened. A TStreamException from a loader
/// counts as Null; anything else it throws passes out. The stream opened is closed on every path
/// (an open stream object passed as the url stays open).
/// @param url What to load.
/// @param unseekable What to do when the url's stream cannot seek.
/// @param read read(loader, stream) gives the loader's result, or Null when the data is not its
/// format.
/// @return The first result; Null when the url cannot be opened or no loader accepts the data.
auto LoadThroughChain(const Url& url, UnseekableStream unseekable, Read read) {
  using Result = std::decay_t<std::invoke_result_t<Read&, Loader&, const Ref<TStream>&>>;
  const Ref<TStream> stream = OpenReadStream(url);
  if (!stream) return Result{};
  StreamCloseGuard guard(stream);
  const int start = stream->Position();
  Result result{};
  if (start != -1) {
    result = RegistrationChain<Loader>::Global().FirstAnswer([&](const Ref<Loader>& loader) {
      stream->SeekTo(start);
      try {
        return std::invoke(read, *loader, stream);
      } catch (const TStreamException&) {
        // Data this loader could not read is a refusal; the next loader starts afresh.
        return Result{};
      }
    });
  } else if (unseekable == UnseekableStream::kThrows) {
    ThrowRuntimeError(u"Stream is not seekable");
  }
  guard.Close();
  return result;
}

}  // namespace corvax
