#pragma once
// What the graphics core's context functions share with the default graphics.
#include <corvax/graphics/graphics_driver.h>

namespace corvax {

// Forgets graphics as the default graphics when they are, without closing anything.
void ForgetDefaultGraphics(const Ref<TGraphics>& graphics);

}  // namespace corvax
