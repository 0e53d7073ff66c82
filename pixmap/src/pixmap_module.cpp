#include <corvax/pixmap/pixmap_data_type.h>
#include <corvax/pixmap/pixmap_module.h>

#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupPixmapModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupStreamModule();
  TPixmapDataType::Instance();
}

}  // namespace corvax
