#pragma once
// The DirectX 7 graphics driver: DirectDraw 7 and Direct3D 7 over SDL windows. DirectDraw
// objects come and go (started to list the display modes, again when graphics are first
// validated, again after the display mode changed behind the program); every surface carries
// the generation of the DirectDraw object that made it, so that surfaces of a dead object are
// dropped without calls into it. Windows build only.
#include <cstdint>
#include <vector>

#include <d3d.h>
#include <ddraw.h>

#include <corvax/graphics/graphics_driver.h>

namespace corvax {

class TD3D7GraphicsDriver;

class TD3D7Graphics : public TGraphics {
 public:
  Ref<TGraphicsDriver> Driver() const override;
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
  /// Leaves full-screen mode, releases the surfaces and the window (unless the application owns
  /// it); the object stays, inert.
  void CloseContext() override;

  /// Shows the render surface: a flip in full screen, a copy to the window's client area in a
  /// window.
  void Flip(int sync);
  /// The surface drawing goes to, or nullptr when it is not made yet (or was dropped on a
  /// resize).
  IDirectDrawSurface7* RenderSurfaceOf();
  /// Makes the primary surface and the render surface; a failing call ends the process.
  IDirectDrawSurface7* CreateSurfaces();
  void ReleaseSurfaces();
  /// Notices a changed client size; the surfaces of the old size are released.
  void CheckResize();

  /// Graphics over the application's SDL window (by SDL window id); Null when there is none.
  static Ref<TD3D7Graphics> Attach(int windowId, int flags);
  /// A new window, or a full-screen display when depth is not 0. Null when no window can be
  /// made.
  static Ref<TD3D7Graphics> Create(int width, int height, int depth, int hertz, int flags);

  bool IsOpen() const { return hwnd_ != nullptr; }
  bool IsFullScreen() const { return depth_ != 0; }
  HWND Window() const { return hwnd_; }
  std::uint32_t WindowId() const { return windowId_; }

 private:
  friend class TD3D7GraphicsDriver;
  TD3D7Graphics(std::uint32_t windowId, HWND hwnd, bool owned, int width, int height, int depth,
                int hertz, int flags);

  int width_;
  int height_;
  int depth_;  // 0: windowed
  int hertz_;
  int flags_;
  int displayHertz_ = 0;  // the refresh rate asked of the display, 0 for its default
  std::uint32_t windowId_;
  HWND hwnd_;
  bool ownsWindow_;
  IDirectDrawSurface7* primary_ = nullptr;
  IDirectDrawSurface7* renderSurface_ = nullptr;
  IDirectDrawClipper* clipper_ = nullptr;
};

class TD3D7GraphicsDriver : public TGraphicsDriver {
 public:
  String ToString() const override { return u"DirectX7"; }

  /// The modes listed when the driver was made: more than 15 bits per pixel, in DirectDraw's
  /// order.
  Array<Ref<TGraphicsMode>> EnumerateModes() override;
  /// Null while full-screen graphics are open.
  Ref<TGraphics> AttachToWindow(int window, int flags) override;
  /// Null while full-screen graphics are open, and Null for full screen while any graphics are
  /// open. Throws TRuntimeException "D3D7GraphicsDriver failed to set display mode" for a
  /// full-screen size the display does not offer.
  Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz, int flags) override;
  void SelectContext(const Ref<TGraphics>& graphics) override;
  /// Skipped while the device is not valid.
  void Present(int sync) override;

  /// Called by the graphics as they close.
  void ReleaseGraphics(TD3D7Graphics* graphics);

  Ref<TD3D7Graphics> Current() const { return current_; }
  IDirectDraw7* DirectDraw() const { return dd7_; }
  IDirect3D7* Direct3D() const { return d3d7_; }
  IDirect3DDevice7* Device() const { return device_; }
  int OpenCount() const { return openCount_; }

  void BeginScene();
  void EndScene();

  /// A surface of the current DirectDraw object, recorded with its generation; nullptr (and a
  /// line on standard error) when DirectDraw refuses or is not running.
  IDirectDrawSurface7* CreateSurface(DDSURFACEDESC2& description);
  /// Releases the surface only when its DirectDraw object (generation) is still the current
  /// one; the record goes in any case.
  void ReleaseSurface(IDirectDrawSurface7* surface, int generation);
  /// Whether the surface, made at that generation, belongs to the running DirectDraw object.
  /// The generation tells a dead surface from a new one at the same address.
  bool IsLiveSurface(IDirectDrawSurface7* surface, int generation) const;
  /// The surface is about to go: the device is pointed at the next render surface afresh.
  void ForgetRenderTarget(IDirectDrawSurface7* surface);
  int SurfaceCount() const { return static_cast<int>(surfaces_.size()); }

  /// 1 when drawing may proceed: a current graphics, DirectDraw running and not blocked by
  /// another program, surfaces and device made and restored.
  int ValidateDevice();
  /// ValidateDevice, guarded against re-entry; a scene that was open is begun again when the
  /// device becomes valid.
  int CheckValid();
  int IsValid() const { return valid_; }

  /// The singleton, made on first request; Null when DirectX 7 is not usable. Lists the display
  /// modes, then shuts DirectDraw down until graphics are validated.
  static Ref<TD3D7GraphicsDriver> Instance();
  /// Starts DirectDraw and Direct3D; false (with everything released) when either is missing or
  /// lacks 3D.
  bool Startup();
  /// Releases the device, the surfaces and DirectDraw. The graphics stay open; their surfaces
  /// are made again at the next validation.
  void Shutdown();

 private:
  struct SurfaceRecord {
    int generation;
    IDirectDrawSurface7* surface;
  };

  void ListModes();
  // The render target the device draws to, set when it is not the current graphics' surface.
  void TargetRenderSurface(IDirectDrawSurface7* surface);

  Array<Ref<TGraphicsMode>> modes_;
  IDirectDraw7* dd7_ = nullptr;
  IDirect3D7* d3d7_ = nullptr;
  IDirect3DDevice7* device_ = nullptr;
  IDirectDrawSurface7* deviceTarget_ = nullptr;
  Ref<TD3D7Graphics> current_;
  int openCount_ = 0;
  bool fullScreenOpen_ = false;
  bool inScene_ = false;
  int valid_ = 0;
  bool checking_ = false;
  std::vector<SurfaceRecord> surfaces_;
  std::vector<Ref<TD3D7Graphics>> graphicsList_;  // keeps open graphics alive
};

namespace dx7 {
// Ends the process when a call that surfaces, devices or render targets depend on failed:
// "DXERROR code=" and the low 16 bits of the result on standard output, the call and the
// result's name on standard error, exit status -1.
void CheckDX(HRESULT result, const char* call);
}  // namespace dx7

}  // namespace corvax
