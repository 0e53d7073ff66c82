#include <corvax/plex2d/collision.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_graphics.h>

#include <corvax/graphics/graphics_core.h>
#include <corvax/runtime/immortal.h>
#include "renderer_internal.h"

namespace corvax {
namespace {

struct Current {
  Ref<TPlex2DGraphics> graphics;
  Ref<TPlex2DDriver> driver;
};

// Never destroyed: contexts and drivers are not released behind a closing process.
Current& TheCurrent() {
  static auto* const current = &MakeImmortal<Current>();
  return *current;
}

}  // namespace

namespace detail {

TPlex2DGraphics& Current2DOrThrow() {
  if (!TheCurrent().graphics) ThrowRuntimeError(u"No 2D graphics is current");
  return *TheCurrent().graphics;
}

void UpdateTransform(TPlex2DGraphics& graphics) {
  Plex2DState& state = graphics.State();
  state.transform = RotationScaleTransform(state.rotation, state.scaleX, state.scaleY);
  const Transform2D& m = state.transform;
  graphics.Driver2D()->UseTransform(m.ix, m.iy, m.jx, m.jy);
  SetCollisionTransform(m.ix, m.iy, m.jx, m.jy);
}

}  // namespace detail

TPlex2DGraphics::TPlex2DGraphics(Ref<TGraphics> graphics, Ref<TPlex2DDriver> driver, int width,
                                 int height)
    : graphics_(std::move(graphics)), driver_(std::move(driver)) {
  state_.viewportWidth = width;
  state_.viewportHeight = height;
  state_.font = DefaultFont();
}

Ref<TGraphicsDriver> TPlex2DGraphics::Driver() const {
  return driver_;
}

void TPlex2DGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
  graphics_->GetSettings(width, height, depth, hertz, flags);
}

void TPlex2DGraphics::CloseContext() {
  if (!graphics_) return;
  if (TheCurrent().graphics.get() == this) ClearCurrent2D();
  graphics_->CloseContext();
  graphics_ = nullptr;
  driver_ = nullptr;
}

void TPlex2DGraphics::ApplyState() {
  TPlex2DDriver& driver = *driver_;
  driver.UseBlendMode(state_.blend);
  driver.UseColor(state_.colorRed, state_.colorGreen, state_.colorBlue);
  driver.UseAlpha(state_.alpha);
  driver.UseClearColor(state_.clearRed, state_.clearGreen, state_.clearBlue);
  driver.UseLineWidth(state_.lineWidth);
  detail::UpdateTransform(*this);
  driver.UseViewport(state_.viewportX, state_.viewportY, state_.viewportWidth,
                     state_.viewportHeight);
  if (!state_.font) state_.font = DefaultFont();
}

void TPlex2DGraphics::MakeCurrent2D() {
  TheCurrent().graphics = Ref<TPlex2DGraphics>(this);
  TheCurrent().driver = driver_;
  if (primed_) return;
  // Both buffers of a new context start cleared, whichever one the first frame lands in: the
  // present shows one cleared buffer and hands back the other, which is then cleared too. A
  // second present would only swap two cleared buffers.
  ClearScreen();
  PresentFrame(0);
  ClearScreen();
  primed_ = 1;
}

void TPlex2DGraphics::ClearCurrent2D() {
  TheCurrent().graphics = nullptr;
  TheCurrent().driver = nullptr;
}

Ref<TPlex2DGraphics> TPlex2DGraphics::Current2D() {
  return TheCurrent().graphics;
}
Ref<TPlex2DDriver> TPlex2DGraphics::CurrentDriver() {
  return TheCurrent().driver;
}

Ref<TPlex2DGraphics> TPlex2DGraphics::Create2DGraphics(const Ref<TGraphics>& graphics,
                                                       const Ref<TPlex2DDriver>& driver) {
  if (!graphics) return nullptr;
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
  graphics->GetSettings(width, height, depth, hertz, flags);
  return Ref<TPlex2DGraphics>(new TPlex2DGraphics(graphics, driver, width, height));
}

}  // namespace corvax
