#include <corvax/pixmap/pixmap_loader.h>

#include <corvax/stream/loader_chain.h>

namespace corvax {

TPixmapLoader::TPixmapLoader() {
  RegistrationChain<TPixmapLoader>::Global().PushFront(*this);
}

Ref<TPixmapLoader> TPixmapLoader::FirstLoader() {
  return RegistrationChain<TPixmapLoader>::Global().First();
}

Ref<TPixmap> PixmapLoad(const Url& url) {
  return LoadThroughChain<TPixmapLoader>(url, UnseekableStream::kGivesNull,
                                         &TPixmapLoader::LoadPixmapFrom);
}

}  // namespace corvax
