#include <corvax/graphics/graphics_core.h>

#include <exception>

#include "default_graphics.h"

namespace corvax {
namespace {

struct CurrentSettings {
  int width = 0;
  int height = 0;
  int depth = 0;
  int hertz = 0;
  int flags = 0;
};

struct GraphicsCore {
  Ref<TGraphicsDriver> driver;
  int defaultFlags = 0;
  Array<Ref<TGraphicsMode>> modes;
  Ref<TGraphics> current;
  CurrentSettings settings;
};

// Never destroyed: the exit action that closes the default graphics may run after static
// destructors.
GraphicsCore& Core() {
  static auto* core = new GraphicsCore;
  return *core;
}

// Leaves the old driver without a selected context and forgets its modes.
void SwitchDriver(const Ref<TGraphicsDriver>& driver) {
  auto& core = Core();
  if (driver == core.driver) return;
  if (core.driver && core.current) core.driver->SelectContext(nullptr);
  core.modes = {};
  core.driver = driver;
}

void ForgetCurrent() {
  auto& core = Core();
  core.current = nullptr;
  core.settings = {};
}

// Driver failures make no context; the caller sees Null.
template <class Make>
Ref<TGraphics> MadeOrNull(Make make) {
  try {
    return make();
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

void SelectGraphicsDriver(const Ref<TGraphicsDriver>& driver, int defaultFlags) {
  SwitchDriver(driver);
  Core().defaultFlags = defaultFlags;
  ForgetCurrent();
}

Ref<TGraphicsDriver> CurrentGraphicsDriver() {
  return Core().driver;
}

int GraphicsDriverFlags() {
  return Core().defaultFlags;
}

Array<Ref<TGraphicsMode>> ListGraphicsModes() {
  auto& core = Core();
  if (core.modes.empty() && core.driver) core.modes = core.driver->EnumerateModes();
  return core.modes;
}

int GraphicsModeCount() {
  return ListGraphicsModes().Length();
}

void GraphicsModeAt(int index, int& width, int& height, int& depth, int& hertz) {
  const Ref<TGraphicsMode> mode = ListGraphicsModes()[index];
  width = mode->width;
  height = mode->height;
  depth = mode->depth;
  hertz = mode->hertz;
}

bool HasGraphicsMode(int width, int height, int depth, int hertz) {
  const auto matches = [](int wanted, int actual) { return wanted == 0 || wanted == actual; };
  for (const Ref<TGraphicsMode>& mode : ListGraphicsModes()) {
    if (matches(width, mode->width) && matches(height, mode->height) &&
        matches(depth, mode->depth) && matches(hertz, mode->hertz)) {
      return 1;
    }
  }
  return 0;
}

Ref<TGraphics> CreateGraphicsContext(int width, int height, int depth, int hertz, int flags) {
  auto& core = Core();
  if (!core.driver) return nullptr;
  const int all = flags | core.defaultFlags;
  return MadeOrNull([&] { return core.driver->CreateContext(width, height, depth, hertz, all); });
}

Ref<TGraphics> AttachGraphicsContext(int window, int flags) {
  auto& core = Core();
  if (!core.driver) return nullptr;
  const int all = flags | core.defaultFlags;
  return MadeOrNull([&] { return core.driver->AttachToWindow(window, all); });
}

void MakeGraphicsCurrent(const Ref<TGraphics>& graphics) {
  auto& core = Core();
  if (!graphics) {
    if (core.driver && core.current) core.driver->SelectContext(nullptr);
    ForgetCurrent();
    return;
  }
  SwitchDriver(graphics->Driver());
  CurrentSettings settings;
  graphics->GetSettings(settings.width, settings.height, settings.depth, settings.hertz,
                        settings.flags);
  core.settings = settings;
  core.driver->SelectContext(graphics);
  core.current = graphics;
}

void CloseGraphicsContext(const Ref<TGraphics>& graphics) {
  if (!graphics) return;
  ForgetDefaultGraphics(graphics);
  if (graphics == Core().current) MakeGraphicsCurrent(nullptr);
  graphics->CloseContext();
}

Ref<TGraphics> CurrentGraphics() {
  return Core().current;
}

int CurrentGraphicsWidth() {
  return Core().settings.width;
}

int CurrentGraphicsHeight() {
  return Core().settings.height;
}

int CurrentGraphicsDepth() {
  return Core().settings.depth;
}

int CurrentGraphicsHertz() {
  return Core().settings.hertz;
}

int CurrentGraphicsFlags() {
  return Core().settings.flags;
}

}  // namespace corvax
