#include <corvax/plex2d/font.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {
namespace {

RegistrationChain<TFontLoader>& FontLoaders() {
  return RegistrationChain<TFontLoader>::Global();
}

}  // namespace

void AddFontLoader(const Ref<TFontLoader>& loader) {
  FontLoaders().PushFront(*loader);
}

Ref<TFontLoader> FirstFontLoader() {
  return FontLoaders().First();
}

Ref<TFont> LoadSourceFontAny(const Url& url, int size, int style) {
  return FontLoaders().FirstAnswer(
      [&](const Ref<TFontLoader>& loader) { return loader->LoadSourceFont(url, size, style); });
}

void StartupFontModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupRuntimeModule();
}

}  // namespace corvax
