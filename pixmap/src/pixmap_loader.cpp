#include <corvax/pixmap/pixmap_loader.h>

#include <corvax/stream/open_url.h>
#include <corvax/stream/stream_close_guard.h>

namespace corvax {
namespace {

Ref<TPixmapLoader>& ChainHead() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const head = new Ref<TPixmapLoader>();
  return *head;
}

Ref<TPixmap> RunChain(const Ref<TStream>& stream, int start) {
  for (Ref<TPixmapLoader> loader = ChainHead(); loader; loader = loader->NextLoader()) {
    stream->SeekTo(start);
    try {
      if (Ref<TPixmap> pixmap = loader->LoadPixmapFrom(stream)) return pixmap;
    } catch (const TStreamException&) {
      // Data this loader could not read is a refusal; the next loader starts afresh.
    }
  }
  return nullptr;
}

}  // namespace

TPixmapLoader::TPixmapLoader() {
  next_ = ChainHead();
  ChainHead() = Ref<TPixmapLoader>(this);
}

Ref<TPixmapLoader> TPixmapLoader::FirstLoader() {
  return ChainHead();
}

Ref<TPixmap> PixmapLoad(const Url& url) {
  const Ref<TStream> stream = OpenReadStream(url);
  if (!stream) return nullptr;
  StreamCloseGuard guard(stream);
  const int start = stream->Position();
  const Ref<TPixmap> pixmap = start == -1 ? nullptr : RunChain(stream, start);
  guard.Close();
  return pixmap;
}

}  // namespace corvax
