#include <corvax/stream/url_text.h>

namespace corvax {

std::string UrlText(const Url& url) {
  return url.AsObject() ? ToUtf8(url.AsObject()->ToString()) : std::string("Null");
}

}  // namespace corvax
