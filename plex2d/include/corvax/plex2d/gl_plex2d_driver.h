#pragma once
/// @file
/// @ingroup plex2d
/// The 2D driver over the OpenGL graphics driver: fixed-function immediate mode, images as
/// power-of-two textures made in the shared context, so every window can draw them.
#include <corvax/graphics/gl_graphics.h>
#include <corvax/plex2d/plex2d_driver.h>

namespace corvax {

/// An image frame held as an OpenGL texture of the shared context.
class TGLImageFrame : public TImageFrame {
 public:
  /// Takes over a texture.
  /// @param texture The texture name.
  /// @param u1 Where the picture ends across the texture: picture width / texture width.
  /// @param v1 Where it ends down the texture: picture height / texture height.
  /// @param sequence The GraphicsSequence of the graphics the texture was made for.
  TGLImageFrame(unsigned texture, float u1, float v1, int sequence)
      : u1_(u1), v1_(v1), texture_(texture), sequence_(sequence) {}
  /// Deletes the texture in the shared context.
  ~TGLImageFrame() override;

  void RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void RenderFrameParts(const std::vector<FrameQuad>& quads) override;

  /// @return The texture name.
  unsigned Texture() const { return texture_; }
  /// @return Where the picture ends across the texture: picture width / texture width.
  float U1() const { return u1_; }
  /// @return Where the picture ends down the texture: picture height / texture height.
  float V1() const { return v1_; }
  /// @return The GraphicsSequence the texture was made for.
  int Sequence() const { return sequence_; }

 private:
  float u0_ = 0;
  float v0_ = 0;
  float u1_;
  float v1_;
  unsigned texture_;
  int sequence_;
};

/// The OpenGL 2D driver.
class TGLPlex2DDriver : public TPlex2DDriver {
 public:
  String ToString() const override { return u"OpenGL"; }

  Array<Ref<TGraphicsMode>> EnumerateModes() override;
  Ref<TGraphics> AttachToWindow(int window, GraphicsFlags flags) override;
  Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz,
                               GraphicsFlags flags) override;
  void SelectContext(const Ref<TGraphics>& graphics) override;
  void Present(int sync) override;

  /// Throws the runtime error "Unable to calculate tex size" when the GL implementation accepts
  /// no texture size at all.
  /// @param pixmap The frame's pixels.
  /// @param imageFlags The image's IMAGE_ flags.
  /// @return A texture frame; Null for an empty pixmap.
  Ref<TImageFrame> MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) override;
  void UseBlendMode(int mode) override;
  /// @param alpha The opacity, clamped to 0-1.
  void UseAlpha(float alpha) override;
  /// The drawing colour.
  /// @param r Red, clamped to 0-255.
  /// @param g Green, clamped to 0-255.
  /// @param b Blue, clamped to 0-255.
  void UseColor(int r, int g, int b) override;
  void UseClearColor(int r, int g, int b) override;
  /// The clipping viewport, in pixels, top-left origin; the whole context switches clipping off.
  /// @param x Its left edge.
  /// @param y Its top edge.
  /// @param width Its width.
  /// @param height Its height.
  void UseViewport(int x, int y, int width, int height) override;
  void UseTransform(float ix, float iy, float jx, float jy) override;
  void UseLineWidth(float width) override;
  void ClearTarget() override;
  void RenderPoint(float x, float y) override;
  void RenderLine(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void RenderRect(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void RenderOval(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void RenderPolygon(const Array<float>& points, float hx, float hy, float tx, float ty) override;
  void RenderPixmap(const Ref<TPixmap>& pixmap, int x, int y) override;
  Ref<TPixmap> CapturePixmap(int x, int y, int width, int height) override;
};

/// @return The OpenGL 2D driver, made on first use and kept for the life of the process.
/// @sa GLGraphicsDriver
Ref<TGLPlex2DDriver> GLPlex2DDriver();
/// Starts the 2D renderer and the OpenGL graphics module, then selects this driver.
/// @sa StartupPlex2DModule
void StartupGLPlex2DModule();

}  // namespace corvax
