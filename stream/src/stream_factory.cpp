#include <corvax/stream/stream_factory.h>

namespace corvax {
namespace {

Ref<TStreamFactory>& ChainHead() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const head = new Ref<TStreamFactory>();
  return *head;
}

}  // namespace

TStreamFactory::TStreamFactory() {
  next_ = ChainHead();
  ChainHead() = Ref<TStreamFactory>(this);
}

Ref<TStreamFactory> TStreamFactory::FirstFactory() {
  return ChainHead();
}

}  // namespace corvax
