#include <corvax/graphics/graphics_module.h>

namespace corvax {

void StartupGraphicsModule() {
  StartupGraphicsCoreModule();
  StartupGLGraphicsModule();
}

}  // namespace corvax
