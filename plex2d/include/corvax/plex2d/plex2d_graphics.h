#pragma once
/// @file
/// A 2D context: a plain graphics context together with the drawing state set while it was
/// current, so that switching contexts keeps each one's colour, blend, transform and the rest.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupPlex2DModule() for this module
/// alone, before any other call.
#include <corvax/graphics/graphics_driver.h>
#include <corvax/plex2d/blend.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/plex2d/plex2d_driver.h>
#include <corvax/plex2d/transform.h>

namespace corvax {

struct Plex2DState {
  int colorRed = 255;
  int colorGreen = 255;
  int colorBlue = 255;
  float alpha = 1.0f;
  int clearRed = 0;
  int clearGreen = 0;
  int clearBlue = 0;
  float lineWidth = 1.0f;
  float rotation = 0.0f;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  Transform2D transform;
  int viewportX = 0;
  int viewportY = 0;
  int viewportWidth = 0;
  int viewportHeight = 0;
  float originX = 0.0f;
  float originY = 0.0f;
  /// The drawing handle, stored negated: added to local corners as it is.
  float handleX = 0.0f;
  float handleY = 0.0f;
  Ref<TImageFont> font;
  int blend = BLEND_MASK;
};

class TPlex2DGraphics : public TGraphics {
 public:
  Ref<TGraphicsDriver> Driver() const override;
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
  /// Closes the wrapped context; the 2D context is no longer current afterwards.
  void CloseContext() override;

  /// Pushes the stored state into the driver through the renderer's setters.
  virtual void ApplyState();
  /// Makes this the target of drawing. The first time, both buffers are cleared and presented.
  virtual void MakeCurrent2D();

  static void ClearCurrent2D();
  /// Null when no 2D context is current.
  static Ref<TPlex2DGraphics> Current2D();
  static Ref<TPlex2DDriver> CurrentDriver();
  /// Null graphics give Null.
  static Ref<TPlex2DGraphics> Create2DGraphics(const Ref<TGraphics>& graphics,
                                               const Ref<TPlex2DDriver>& driver);

  Plex2DState& State() { return state_; }
  const Plex2DState& State() const { return state_; }
  const Ref<TGraphics>& Wrapped() const { return graphics_; }
  const Ref<TPlex2DDriver>& Driver2D() const { return driver_; }
  int Primed() const { return primed_; }

 private:
  TPlex2DGraphics(Ref<TGraphics> graphics, Ref<TPlex2DDriver> driver, int width, int height);

  Plex2DState state_;
  Ref<TGraphics> graphics_;
  Ref<TPlex2DDriver> driver_;
  int primed_ = 0;
};

}  // namespace corvax
