#include <cstdio>

#include <corvax/app/application.h>

namespace corvax {

void PointerDemoMain() {
  StartApplicationModules();
  std::puts("pointer-demo: the demonstration needs the graphics modules, which are not built yet.");
}

}  // namespace corvax
