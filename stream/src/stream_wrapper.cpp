#include <corvax/stream/stream_wrapper.h>

namespace corvax {

Ref<TStreamStream> TStreamStream::WrapStream(Ref<TStream> stream) {
  auto wrapper = New<TStreamStream>();
  wrapper->SetInnerStream(std::move(stream));
  return wrapper;
}

}  // namespace corvax
