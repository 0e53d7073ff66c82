#include <corvax/stream/seekable_stream.h>
#include <corvax/stream/stream_close_guard.h>

#include <corvax/stream/bank.h>
#include <corvax/stream/bank_stream.h>
#include <corvax/stream/open_url.h>

namespace corvax {

Ref<TStream> OpenSeekableStream(const Url& url, bool readable, bool writeable) {
  Ref<TStream> stream = OpenUrlStream(url, readable, writeable);
  if (!stream || stream->Position() != -1) return stream;
  // Nobody else can reach the stream opened here, so it is closed once its bytes are in the
  // bank; a stream object passed as the url comes back wrapped, and closing the wrapper leaves
  // it open.
  StreamCloseGuard guard(stream);
  Ref<TBank> bank = TBank::LoadFrom(stream);
  guard.Close();
  return CreateBankStream(std::move(bank));
}

}  // namespace corvax
