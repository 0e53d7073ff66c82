#include <corvax/pixmap/pixmap_data_type.h>
#include <corvax/pixmap/pixmap_module.h>
#include <corvax/runtime/start_once.h>

#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupPixmapModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamModule();
  TPixmapDataType::Instance();
  // Newest first: TGA, having no signature to test, is asked first and refuses quickly.
  New<TPixmapLoaderBMP>();
  New<TPixmapLoaderJPG>();
  New<TPixmapLoaderPNG>();
  New<TPixmapLoaderTGA>();
}

}  // namespace corvax
