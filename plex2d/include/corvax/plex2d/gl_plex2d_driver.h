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
  /// Takes over texture, made for the graphics of sequence (GraphicsSequence).
  TGLImageFrame(unsigned texture, float u1, float v1, int sequence)
      : u1_(u1), v1_(v1), texture_(texture), sequence_(sequence) {}
  /// Deletes the texture in the shared context.
  ~TGLImageFrame() override;

  void RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) override;

  /// The texture name.
  unsigned Texture() const { return texture_; }
  /// Where the picture ends in the texture: picture size / texture size.
  ///@{
  float U1() const { return u1_; }
  float V1() const { return v1_; }
  ///@}
  /// The GraphicsSequence the texture was made for.
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
  Ref<TGraphics> AttachToWindow(int window, int flags) override;
  Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz, int flags) override;
  void SelectContext(const Ref<TGraphics>& graphics) override;
  void Present(int sync) override;

  /// Null for an empty pixmap. Throws the runtime error "Unable to calculate tex size" when the
  /// GL implementation accepts no texture size at all.
  Ref<TImageFrame> MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) override;
  void UseBlendMode(int mode) override;
  /// Clamped to 0-1.
  void UseAlpha(float alpha) override;
  /// Each clamped to 0-255.
  void UseColor(int r, int g, int b) override;
  void UseClearColor(int r, int g, int b) override;
  /// The whole context switches clipping off.
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

/// Made on first use and kept for the life of the process.
Ref<TGLPlex2DDriver> GLPlex2DDriver();
/// Starts the 2D renderer and the OpenGL graphics module, then selects this driver.
void StartupGLPlex2DModule();

}  // namespace corvax
