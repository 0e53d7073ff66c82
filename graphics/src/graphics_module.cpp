#include <corvax/graphics/graphics.h>

namespace corvax {

void StartupGraphicsModule() {
  StartupGraphicsCoreModule();
  StartupGLGraphicsModule();
}

}  // namespace corvax
