#include <corvax/stream/stream_close_guard.h>

namespace corvax {

StreamCloseGuard::~StreamCloseGuard() {
  if (!stream_) return;
  try {
    stream_->Close();
  } catch (...) {
    // Only an exception already on its way out gets here; it is the one the caller must see.
  }
}

void StreamCloseGuard::Close() {
  const Ref<TStream> stream = std::move(stream_);
  stream_ = nullptr;
  if (stream) stream->Close();
}

}  // namespace corvax
