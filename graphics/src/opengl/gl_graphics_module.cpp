#include <corvax/graphics/gl_graphics.h>
#include <corvax/runtime/start_once.h>

namespace corvax {
namespace embedded {
bool RegisterGLTextFont();
}

void StartupGLGraphicsModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  // Registered first, so modules started below can already open it.
  embedded::RegisterGLTextFont();
  StartupGraphicsCoreModule();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
}

}  // namespace corvax
