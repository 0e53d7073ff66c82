#pragma once
/// @file
/// @ingroup plex2d
/// A 2D context: a plain graphics context together with the drawing state set while it was
/// current, so that switching contexts keeps each one's colour, blend, transform and the rest.
#include <corvax/graphics/graphics_driver.h>
#include <corvax/plex2d/blend.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/plex2d/plex2d_driver.h>
#include <corvax/plex2d/transform.h>

namespace corvax {

/// The drawing state one 2D context keeps, as the setters of draw.h store it.
struct Plex2DState {
  /// The drawing colour, 0-255 each.
  ///@{
  int colorRed = 255;
  int colorGreen = 255;
  int colorBlue = 255;
  ///@}
  /// Opacity, 0-1.
  float alpha = 1.0f;
  /// The clear colour, 0-255 each.
  ///@{
  int clearRed = 0;
  int clearGreen = 0;
  int clearBlue = 0;
  ///@}
  /// Line width in pixels.
  float lineWidth = 1.0f;
  /// Rotation in degrees and scale factors, and the matrix made of them.
  ///@{
  float rotation = 0.0f;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  Transform2D transform;
  ///@}
  /// The clipping rectangle in pixels.
  ///@{
  int viewportX = 0;
  int viewportY = 0;
  int viewportWidth = 0;
  int viewportHeight = 0;
  ///@}
  /// Added to every drawing position.
  ///@{
  float originX = 0.0f;
  float originY = 0.0f;
  ///@}
  /// The drawing handle, stored negated: added to local corners as it is.
  ///@{
  float handleX = 0.0f;
  float handleY = 0.0f;
  ///@}
  /// The text font; Null for the default font.
  Ref<TImageFont> font;
  /// A BLEND_ constant.
  int blend = BLEND_MASK;
};

/// A graphics context as the 2D renderer sees it: the wrapped context, its 2D driver and the
/// drawing state.
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

  /// Leaves no 2D context current.
  /// @sa MakeCurrent2D
  static void ClearCurrent2D();
  /// @return The current 2D context; Null when none is current.
  /// @sa MakeCurrent2D
  static Ref<TPlex2DGraphics> Current2D();
  /// @return The current 2D context's driver; Null when no 2D context is current.
  static Ref<TPlex2DDriver> CurrentDriver();
  /// A 2D context over a plain one.
  /// @param graphics The context drawn to.
  /// @param driver The driver that draws.
  /// @return The 2D context; Null for Null graphics.
  static Ref<TPlex2DGraphics> Create2DGraphics(const Ref<TGraphics>& graphics,
                                               const Ref<TPlex2DDriver>& driver);

  /// @return The drawing state.
  Plex2DState& State() { return state_; }
  /// @return The drawing state.
  const Plex2DState& State() const { return state_; }
  /// @return The graphics context drawn to.
  const Ref<TGraphics>& Wrapped() const { return graphics_; }
  /// @return The driver that draws.
  const Ref<TPlex2DDriver>& Driver2D() const { return driver_; }
  /// @return true once the first MakeCurrent2D has cleared and presented both buffers, else false.
  [[nodiscard]] bool Primed() const { return primed_; }

 private:
  TPlex2DGraphics(Ref<TGraphics> graphics, Ref<TPlex2DDriver> driver, int width, int height);

  Plex2DState state_;
  Ref<TGraphics> graphics_;
  Ref<TPlex2DDriver> driver_;
  int primed_ = 0;
};

}  // namespace corvax
