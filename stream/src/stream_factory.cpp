#include <corvax/stream/stream_factory.h>

namespace corvax {
namespace {

Ref<TStreamFactory>& ChainHead() {
  static Ref<TStreamFactory> head;
  return head;
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
