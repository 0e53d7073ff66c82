#include <corvax/plex2d/font.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {
namespace {

Ref<TFontLoader>& Head() {
  static auto* head = new Ref<TFontLoader>;
  return *head;
}

}  // namespace

void AddFontLoader(const Ref<TFontLoader>& loader) {
  // The oldest loader links to nothing yet is chained: linking it again would close a loop.
  for (Ref<TFontLoader> l = Head(); l; l = l->next_) {
    if (l == loader) return;
  }
  loader->next_ = Head();
  Head() = loader;
}

Ref<TFontLoader> FirstFontLoader() {
  return Head();
}

Ref<TFont> LoadSourceFontAny(const Url& url, int size, int style) {
  for (Ref<TFontLoader> loader = Head(); loader; loader = loader->NextLoader()) {
    if (Ref<TFont> font = loader->LoadSourceFont(url, size, style)) return font;
  }
  return nullptr;
}

void StartupFontModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
}

}  // namespace corvax
