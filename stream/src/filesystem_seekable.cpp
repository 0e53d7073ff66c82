#include <corvax/stream/filesystem.h>

namespace corvax {

Ref<TStream> OpenSeekableForReading(const Url& url) {
  return OpenSeekableStream(url, true, false);
}

Ref<TStream> OpenSeekableForWriting(const Url& url) {
  return OpenSeekableStream(url, false, true);
}

}  // namespace corvax
