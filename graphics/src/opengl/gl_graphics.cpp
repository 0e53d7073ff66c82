#include <corvax/graphics/gl_graphics.h>

#include <SDL2/SDL.h>

#include <corvax/system/backend/sdl_support.h>

#include "gl_context.h"

namespace corvax {
namespace {

// Names the graphics object as the source of its window's events.
Ref<TGraphics> Wrapped(GLContextRecord* record) {
  if (!record) return nullptr;
  Ref<TGLGraphics> graphics = New<TGLGraphics>(record);
  SetWindowEventSource(record->windowId, graphics);
  return graphics;
}

}  // namespace

Ref<TGraphicsDriver> TGLGraphics::Driver() const {
  return GLGraphicsDriver();
}

void TGLGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
  if (!record_) {
    width = height = depth = hertz = flags = 0;
    return;
  }
  SDL_Window* window = RecordWindow(record_);
  if (window && record_->kind == GLContextKind::Attached) {
    SDL_GetWindowSize(window, &record_->width, &record_->height);
  }
  width = record_->width;
  height = record_->height;
  depth = record_->depth;
  hertz = record_->hertz;
  flags = record_->flags;
}

void TGLGraphics::CloseContext() {
  if (!record_) return;
  CloseRecord(record_);
  record_ = nullptr;
}

SDL_Window* TGLGraphics::Window() const {
  return RecordWindow(record_);
}

int TGLGraphics::WindowId() const {
  return record_ ? static_cast<int>(record_->windowId) : 0;
}

Array<Ref<TGraphicsMode>> TGLGraphicsDriver::EnumerateModes() {
  constexpr int kMaxModes = 1024;
  Array<Ref<TGraphicsMode>> modes;
  if (!VideoRunning()) return modes;
  for (const DisplayModeEntry& mode : PrimaryDisplayModes()) {
    if (modes.Length() == kMaxModes) break;
    if (mode.bitsPerPixel < 16) continue;
    modes.Items().push_back(
        New<TGraphicsMode>(mode.width, mode.height, mode.bitsPerPixel, mode.hertz));
  }
  return modes;
}

Ref<TGraphics> TGLGraphicsDriver::AttachToWindow(int window, int flags) {
  return Wrapped(AttachWindowRecord(window, flags));
}

Ref<TGraphics> TGLGraphicsDriver::CreateContext(int width, int height, int depth, int hertz,
                                                int flags) {
  return Wrapped(CreateWindowRecord(width, height, depth, hertz, flags));
}

void TGLGraphicsDriver::SelectContext(const Ref<TGraphics>& graphics) {
  const Ref<TGLGraphics> gl = Cast<TGLGraphics>(graphics);
  // A closed context selects none rather than a record that is gone.
  MakeRecordCurrent(gl && gl->IsOpen() ? gl->Record() : nullptr);
}

void TGLGraphicsDriver::Present(int sync) {
  PresentCurrentRecord(sync);
}

void TGLGraphicsDriver::SwitchSharedContext() {
  SwitchToOrFromSharedContext();
}

Ref<TGLGraphicsDriver> GLGraphicsDriver() {
  // Never destroyed, like the data-type registry chain that also holds it.
  static auto* driver = new Ref<TGLGraphicsDriver>(New<TGLGraphicsDriver>());
  return *driver;
}

Ref<TGraphics> OpenGLGraphics(int width, int height, int depth, int hertz, int flags) {
  StartupGLGraphicsModule();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
  return OpenGraphics(width, height, depth, hertz, flags);
}

}  // namespace corvax
