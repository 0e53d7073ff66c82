#include <corvax/stream/stream_factory.h>

namespace corvax {

TStreamFactory::TStreamFactory() {
  RegistrationChain<TStreamFactory>::Global().PushFront(*this);
}

Ref<TStreamFactory> TStreamFactory::FirstFactory() {
  return RegistrationChain<TStreamFactory>::Global().First();
}

}  // namespace corvax
