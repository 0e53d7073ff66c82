#include <corvax/graphics/gl_graphics.h>

namespace corvax {
namespace embedded {
bool RegisterGLTextFont();
}

void StartupGLGraphicsModule() {
  static bool started = false;
  if (started) return;
  started = true;
  // Registered first, so modules started below can already open it.
  embedded::RegisterGLTextFont();
  StartupGraphicsCoreModule();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
}

}  // namespace corvax
