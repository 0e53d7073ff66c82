#pragma once
// The DirectX 7 2D driver: draws through the device of the DirectX 7 graphics driver. Images
// are managed A8R8G8B8 textures, optionally with mip-maps built here. Render states are set
// only when they change. Windows build only.
#include <cstdint>

#include <d3d.h>
#include <ddraw.h>

#include <corvax/plex2d/plex2d_driver.h>

#include "d3d7_graphics.h"

namespace corvax {

class TD3D7Plex2DDriver;

class TD3D7ImageFrame : public TImageFrame {
 public:
  /// Releases the texture, unless its DirectDraw object is gone already.
  ~TD3D7ImageFrame() override;

  void RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void RenderFrameParts(const std::vector<FrameQuad>& quads) override;

  /// A texture for a width x height picture, sized up to powers of two. Throws the text
  /// "Create DX7 surface Failed" when DirectDraw refuses it.
  static Ref<TD3D7ImageFrame> Create(TD3D7Plex2DDriver& driver, int width, int height, int flags);
  /// The picture's part of the texture, locked: a BGRA 8888 pixmap valid until UnlockFrame.
  /// Throws the runtime error "DD3D7ImageFrame Lock failed".
  Ref<TPixmap> LockFrame(bool readOnly, bool writeOnly);
  /// Pads the edges, unlocks, and builds the smaller levels of a mip-mapped texture.
  void UnlockFrame();

  IDirectDrawSurface7* Surface() const { return surface_; }
  int Generation() const { return generation_; }
  int Flags() const { return flags_; }
  int TextureWidth() const { return textureWidth_; }
  int TextureHeight() const { return textureHeight_; }
  /// Where the picture ends in the texture: picture size / texture size.
  float U() const { return u_; }
  float V() const { return v_; }

 private:
  TD3D7ImageFrame() = default;
  void BuildMipMaps();

  IDirectDrawSurface7* surface_ = nullptr;
  int generation_ = 0;
  DDSURFACEDESC2 description_{};
  int width_ = 0;
  int height_ = 0;
  int textureWidth_ = 1;
  int textureHeight_ = 1;
  float u_ = 1;
  float v_ = 1;
  int flags_ = 0;
  bool locked_ = false;
};

class TD3D7Plex2DDriver : public TPlex2DDriver {
 public:
  String ToString() const override { return u"DirectX7"; }

  Array<Ref<TGraphicsMode>> EnumerateModes() override;
  Ref<TGraphics> AttachToWindow(int window, int flags) override;
  Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz, int flags) override;
  void SelectContext(const Ref<TGraphics>& graphics) override;
  void Present(int sync) override;

  /// Null for an empty pixmap and while the device is not valid.
  Ref<TImageFrame> MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) override;
  /// Sets render states only when the mode differs from the last one.
  void UseBlendMode(int mode) override;
  void UseAlpha(float alpha) override;
  void UseColor(int r, int g, int b) override;
  void UseClearColor(int r, int g, int b) override;
  /// The whole target switches the clip planes off. Throws the text "device does not support
  /// clipplanes" when the device refuses them.
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
  /// BGR 888, row 0 at the top; Null while the device is not valid or for an empty rectangle.
  Ref<TPixmap> CapturePixmap(int x, int y, int width, int height) override;

  /// Whether drawing may proceed; once found invalid it stays so until the next selection or
  /// present.
  bool IsValid();
  /// Puts the device into the driver's known state: pixel projection, no texture, solid.
  void ResetDevice();
  void DrawFrame(TD3D7ImageFrame& frame, const FramePart& part, float x0, float y0, float x1,
                 float y1, float tx, float ty);
  /// A system-memory surface over the pixmap's own memory (32-bit BGRA); the pixmap must live
  /// as long as the surface. Throws the runtime error "D3D7Plex2D Create System Surface Failed".
  IDirectDrawSurface7* CreateSystemSurface(const Ref<TPixmap>& pixmap);
  void BindTexture(TD3D7ImageFrame* frame);
  /// The frame is going: it is bound no longer.
  void ForgetTexture(TD3D7ImageFrame* frame);

  /// Render-state and texture-stage-state calls made so far (what the state caching saves).
  std::uint64_t StateCallCount() const { return stateCalls_; }
  int BlendMode() const { return blendMode_; }
  TD3D7GraphicsDriver& Graphics() const { return *graphics_; }

  static Ref<TD3D7Plex2DDriver> Instance();

 private:
  struct ColourVertex {
    float x, y, z;
    DWORD colour;
  };
  struct TexturedVertex {
    float x, y, z;
    DWORD colour;
    float u, v;
  };

  void SetState(D3DRENDERSTATETYPE state, DWORD value);
  void SetStageState(D3DTEXTURESTAGESTATETYPE state, DWORD value);
  void SetFilters(DWORD filter);
  ColourVertex Transformed(float x, float y, float tx, float ty) const;
  void DrawColoured(D3DPRIMITIVETYPE type, ColourVertex* vertices, int count);
  // After the scene was ended for GDI access to the render target.
  void ResumeScene();

  Ref<TD3D7GraphicsDriver> graphics_;
  int valid_ = 0;
  IDirect3DDevice7* device_ = nullptr;
  float ix_ = 1, iy_ = 0, jx_ = 0, jy_ = 1;
  float lineWidth_ = 1;
  DWORD colour_ = 0xFFFFFFFF;
  DWORD clearColour_ = 0xFF000000;
  int clipRect_[4] = {0, 0, 0, 0};
  int targetWidth_ = 0;
  int targetHeight_ = 0;
  int blendMode_ = 0;
  TD3D7ImageFrame* texture_ = nullptr;
  bool filtered_ = false;
  std::uint64_t stateCalls_ = 0;
};

}  // namespace corvax
