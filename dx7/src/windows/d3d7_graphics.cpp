#include "d3d7_graphics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <corvax/graphics/backend/display_mode_choice.h>
#include <corvax/graphics/graphics_core.h>
#include <corvax/system/backend/sdl_support.h>

#include "ddraw_library.h"
#include "dx7_support.h"

namespace corvax {
namespace {

constexpr DWORD kNormalLevel = DDSCL_NORMAL | DDSCL_FPUPRESERVE;
constexpr DWORD kExclusiveLevel =
    DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_FPUPRESERVE;
// Windows and window systems refuse sizes past this.
constexpr int kMaxWindowSide = 16384;

template <typename Interface>
void ReleaseInterface(Interface*& pointer) {
  if (pointer) pointer->Release();
  pointer = nullptr;
}

HWND WindowHandle(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info)) return nullptr;
  return info.info.win.window;
}

// The window procedure's focus handling: a window that gains or loses the focus may have lost
// or regained its surfaces.
bool WatchFocus(const SDL_Event& event) {
  if (event.type != SDL_WINDOWEVENT) return false;
  if (event.window.event != SDL_WINDOWEVENT_FOCUS_GAINED &&
      event.window.event != SDL_WINDOWEVENT_FOCUS_LOST) {
    return false;
  }
  const Ref<TD3D7Graphics> graphics = Cast<TD3D7Graphics>(WindowEventSource(event.window.windowID));
  if (graphics) Cast<TD3D7GraphicsDriver>(graphics->Driver())->CheckValid();
  return false;
}

HRESULT CALLBACK ListMode(LPDDSURFACEDESC2 description, LPVOID context) {
  auto* modes = static_cast<Array<Ref<TGraphicsMode>>*>(context);
  const int bits = static_cast<int>(description->ddpfPixelFormat.dwRGBBitCount);
  if (dx7::ListsDisplayMode(bits)) {
    modes->Items().push_back(New<TGraphicsMode>(static_cast<int>(description->dwWidth),
                                                static_cast<int>(description->dwHeight), bits,
                                                static_cast<int>(description->dwRefreshRate)));
  }
  return DDENUMRET_OK;
}

Ref<TD3D7GraphicsDriver>& Singleton() {
  // Never destroyed: graphics closed by exit actions still reach it.
  static auto* singleton = new Ref<TD3D7GraphicsDriver>();
  return *singleton;
}

}  // namespace

namespace dx7 {

void CheckDX(HRESULT result, const char* call) {
  if (SUCCEEDED(result)) return;
  const auto code = static_cast<std::uint32_t>(result);
  std::printf("DXERROR code=%u\n", static_cast<unsigned>(code & 0xFFFF));
  std::fprintf(stderr, "DirectX 7: %s failed: %s\n", call, DXErrorName(code).c_str());
  std::fflush(nullptr);
  // Surfaces and devices are in no state to be released by exit actions.
  std::_Exit(-1);
}

}  // namespace dx7

// ---- graphics ----

TD3D7Graphics::TD3D7Graphics(std::uint32_t windowId, HWND hwnd, bool owned, int width, int height,
                             int depth, int hertz, int flags)
    : width_(width),
      height_(height),
      depth_(depth),
      hertz_(hertz),
      flags_(flags),
      windowId_(windowId),
      hwnd_(hwnd),
      ownsWindow_(owned) {}

Ref<TGraphicsDriver> TD3D7Graphics::Driver() const {
  return Singleton();
}

void TD3D7Graphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
  CheckResize();
  width = width_;
  height = height_;
  depth = depth_;
  hertz = hertz_;
  flags = flags_;
}

void TD3D7Graphics::CloseContext() {
  if (!hwnd_) return;
  // The driver's list may hold the last reference.
  const Ref<TD3D7Graphics> keep(this);
  const Ref<TD3D7GraphicsDriver>& driver = Singleton();
  if (driver) {
    if (depth_ != 0 && driver->DirectDraw()) {
      driver->DirectDraw()->SetCooperativeLevel(nullptr, kNormalLevel);
    }
    driver->ReleaseGraphics(this);
  }
  ClearWindowEventSource(windowId_);
  if (ownsWindow_) {
    if (SDL_Window* window = SDL_GetWindowFromID(windowId_)) SDL_DestroyWindow(window);
  }
  hwnd_ = nullptr;
}

void TD3D7Graphics::Flip(int sync) {
  if (!primary_ || !renderSurface_) return;
  if (depth_ != 0) {
    // A read lock waits until the device has finished drawing into the back buffer.
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    if (SUCCEEDED(
            renderSurface_->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
      renderSurface_->Unlock(nullptr);
    }
    // A lost surface fails here; the validation that follows every present restores it.
    primary_->Flip(nullptr, sync ? 0 : DDFLIP_NOVSYNC);
    return;
  }
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  RECT destination{origin.x, origin.y, origin.x + width_, origin.y + height_};
  RECT source{0, 0, width_, height_};
  const Ref<TD3D7GraphicsDriver>& driver = Singleton();
  if (sync && driver->DirectDraw()) {
    driver->DirectDraw()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  }
  // Waits for a busy blitter rather than dropping the frame.
  primary_->Blt(&destination, renderSurface_, &source, DDBLT_WAIT, nullptr);
}

IDirectDrawSurface7* TD3D7Graphics::RenderSurfaceOf() {
  CheckResize();
  return renderSurface_;
}

IDirectDrawSurface7* TD3D7Graphics::CreateSurfaces() {
  IDirectDraw7* dd7 = Singleton()->DirectDraw();
  if (depth_ != 0) {
    dx7::CheckDX(dd7->SetCooperativeLevel(hwnd_, kExclusiveLevel), "SetCooperativeLevel");
    dx7::CheckDX(dd7->SetDisplayMode(width_, height_, depth_, displayHertz_, 0), "SetDisplayMode");
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.dwBackBufferCount = 1;
    description.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    dx7::CheckDX(dd7->CreateSurface(&description, &primary_, nullptr), "CreateSurface");
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    dx7::CheckDX(primary_->GetAttachedSurface(&caps, &renderSurface_), "GetAttachedSurface");
    return renderSurface_;
  }
  if (!primary_) {
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    dx7::CheckDX(dd7->CreateSurface(&description, &primary_, nullptr), "CreateSurface");
    dx7::CheckDX(dd7->CreateClipper(0, &clipper_, nullptr), "CreateClipper");
    dx7::CheckDX(clipper_->SetHWnd(0, hwnd_), "SetHWnd");
    dx7::CheckDX(primary_->SetClipper(clipper_), "SetClipper");
  }
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
  description.dwWidth = static_cast<DWORD>(width_);
  description.dwHeight = static_cast<DWORD>(height_);
  dx7::CheckDX(dd7->CreateSurface(&description, &renderSurface_, nullptr), "CreateSurface");
  return renderSurface_;
}

void TD3D7Graphics::ReleaseSurfaces() {
  if (Singleton()) Singleton()->ForgetRenderTarget(renderSurface_);
  ReleaseInterface(renderSurface_);
  if (clipper_) {
    if (primary_) primary_->SetClipper(nullptr);
    ReleaseInterface(clipper_);
  }
  ReleaseInterface(primary_);
}

void TD3D7Graphics::CheckResize() {
  if (!hwnd_) return;
  RECT client{};
  if (!GetClientRect(hwnd_, &client)) return;
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width > 0 && height > 0 && (width != width_ || height != height_)) {
    ReleaseSurfaces();
    width_ = width;
    height_ = height;
  }
}

Ref<TD3D7Graphics> TD3D7Graphics::Attach(int windowId, int flags) {
  SDL_Window* window = SDL_GetWindowFromID(static_cast<Uint32>(windowId));
  HWND hwnd = WindowHandle(window);
  if (!hwnd) return nullptr;
  RECT client{};
  GetClientRect(hwnd, &client);
  Ref<TD3D7Graphics> graphics(new TD3D7Graphics(static_cast<std::uint32_t>(windowId), hwnd, false,
                                                client.right - client.left,
                                                client.bottom - client.top, 0, 0, flags));
  SetWindowEventSource(graphics->windowId_, graphics);
  return graphics;
}

Ref<TD3D7Graphics> TD3D7Graphics::Create(int width, int height, int depth, int hertz, int flags) {
  if (width < 1 || height < 1 || width > kMaxWindowSide || height > kMaxWindowSide) {
    std::fprintf(stderr, "DirectX 7: no window of %d x %d\n", width, height);
    return nullptr;
  }
  if (!InitSdlSubsystem(SDL_INIT_VIDEO)) {
    std::fprintf(stderr, "DirectX 7: no windows: %s\n", SDL_GetError());
    return nullptr;
  }
  const std::string title = ToUtf8(AppTitle());
  const int position = depth != 0 ? 0 : 32;
  SDL_Window* window = SDL_CreateWindow(title.c_str(), position, position, width, height,
                                        depth != 0 ? SDL_WINDOW_BORDERLESS : 0);
  HWND hwnd = WindowHandle(window);
  if (!hwnd) {
    std::fprintf(stderr, "DirectX 7: cannot make a window: %s\n", SDL_GetError());
    if (window) SDL_DestroyWindow(window);
    return nullptr;
  }
  Ref<TD3D7Graphics> graphics(
      new TD3D7Graphics(SDL_GetWindowID(window), hwnd, true, width, height, depth, hertz, flags));
  SetWindowEventSource(graphics->windowId_, graphics);
  return graphics;
}

// ---- driver ----

Array<Ref<TGraphicsMode>> TD3D7GraphicsDriver::EnumerateModes() {
  return modes_;
}

Ref<TGraphics> TD3D7GraphicsDriver::AttachToWindow(int window, int flags) {
  if (fullScreenOpen_) return nullptr;
  Ref<TD3D7Graphics> graphics = TD3D7Graphics::Attach(window, flags);
  if (!graphics) return nullptr;
  graphicsList_.push_back(graphics);
  ++openCount_;
  return graphics;
}

Ref<TGraphics> TD3D7GraphicsDriver::CreateContext(int width, int height, int depth, int hertz,
                                                  int flags) {
  if (fullScreenOpen_ || (depth != 0 && openCount_ > 0)) return nullptr;
  int displayHertz = 0;
  if (depth != 0) {
    std::vector<DisplayModeEntry> offered;
    for (const Ref<TGraphicsMode>& mode : modes_.Items()) {
      offered.push_back({mode->width, mode->height, mode->depth, mode->hertz});
    }
    const std::optional<DisplayModeChoice> choice =
        ChooseDisplayMode(offered, width, height, depth, hertz);
    if (!choice) ThrowRuntimeError(u"D3D7GraphicsDriver failed to set display mode");
    depth = offered[static_cast<std::size_t>(choice->index)].bitsPerPixel;
    displayHertz = choice->rateKept ? hertz : 0;
  }
  Ref<TD3D7Graphics> graphics = TD3D7Graphics::Create(width, height, depth, hertz, flags);
  if (!graphics) return nullptr;
  graphics->displayHertz_ = displayHertz;
  graphicsList_.push_back(graphics);
  if (depth != 0) fullScreenOpen_ = true;
  ++openCount_;
  return graphics;
}

void TD3D7GraphicsDriver::SelectContext(const Ref<TGraphics>& graphics) {
  Ref<TD3D7Graphics> selected = Cast<TD3D7Graphics>(graphics);
  // A closed context selects none rather than a window that is gone.
  if (selected && !selected->IsOpen()) selected = nullptr;
  if (selected == current_) return;
  current_ = selected;
  CheckValid();
}

void TD3D7GraphicsDriver::Present(int sync) {
  if (valid_ && current_) current_->Flip(sync);
  CheckValid();
}

void TD3D7GraphicsDriver::ReleaseGraphics(TD3D7Graphics* graphics) {
  const auto found =
      std::find_if(graphicsList_.begin(), graphicsList_.end(),
                   [graphics](const Ref<TD3D7Graphics>& open) { return open.get() == graphics; });
  if (found == graphicsList_.end()) return;
  if (openCount_ == 1) {
    Shutdown();
  } else {
    graphics->ReleaseSurfaces();
  }
  if (current_.get() == graphics) {
    current_ = nullptr;
    valid_ = 0;
  }
  if (graphics->IsFullScreen()) fullScreenOpen_ = false;
  --openCount_;
  graphicsList_.erase(found);
}

void TD3D7GraphicsDriver::BeginScene() {
  inScene_ = true;
  if (device_) device_->BeginScene();
}

void TD3D7GraphicsDriver::EndScene() {
  if (device_) device_->EndScene();
  inScene_ = false;
}

IDirectDrawSurface7* TD3D7GraphicsDriver::CreateSurface(DDSURFACEDESC2& description) {
  if (!dd7_) {
    std::fprintf(stderr, "DirectX 7: CreateSurface failed: DirectDraw is not running\n");
    return nullptr;
  }
  IDirectDrawSurface7* surface = nullptr;
  const HRESULT result = dd7_->CreateSurface(&description, &surface, nullptr);
  if (FAILED(result) || !surface) {
    std::fprintf(stderr, "DirectX 7: CreateSurface failed: %s\n",
                 dx7::DXErrorName(static_cast<std::uint32_t>(result)).c_str());
    return nullptr;
  }
  surfaces_.push_back({dx7::SurfaceGeneration(), surface});
  return surface;
}

void TD3D7GraphicsDriver::ReleaseSurface(IDirectDrawSurface7* surface, int generation) {
  const auto found =
      std::find_if(surfaces_.begin(), surfaces_.end(), [&](const SurfaceRecord& record) {
        return record.surface == surface && record.generation == generation;
      });
  if (found == surfaces_.end()) return;
  if (found->generation == dx7::SurfaceGeneration()) surface->Release();
  surfaces_.erase(found);
}

bool TD3D7GraphicsDriver::IsLiveSurface(IDirectDrawSurface7* surface, int generation) const {
  return generation == dx7::SurfaceGeneration() &&
         std::any_of(surfaces_.begin(), surfaces_.end(), [&](const SurfaceRecord& record) {
           return record.surface == surface && record.generation == generation;
         });
}

void TD3D7GraphicsDriver::ForgetRenderTarget(IDirectDrawSurface7* surface) {
  if (surface && surface == deviceTarget_) deviceTarget_ = nullptr;
}

void TD3D7GraphicsDriver::TargetRenderSurface(IDirectDrawSurface7* surface) {
  if (surface == deviceTarget_) return;
  dx7::CheckDX(device_->SetRenderTarget(surface, 0), "SetRenderTarget");
  deviceTarget_ = surface;
}

int TD3D7GraphicsDriver::ValidateDevice() {
  if (!current_ || !current_->IsOpen()) return 0;
  HRESULT test = DD_OK;
  if (dd7_) {
    test = dd7_->TestCooperativeLevel();
    // The display mode was changed behind the program: everything is made again.
    if (test == DDERR_WRONGMODE) Shutdown();
  }
  if (!dd7_) {
    if (!Startup()) return 0;
    test = dd7_->TestCooperativeLevel();
  }
  // Another program holds exclusive mode, say.
  if (FAILED(test)) return 0;
  IDirectDrawSurface7* surface = current_->RenderSurfaceOf();
  if (!surface) {
    surface = current_->CreateSurfaces();
    if (!device_) {
      if (FAILED(d3d7_->CreateDevice(dx7::kIID_TnLHalDevice, surface, &device_))) {
        device_ = nullptr;
        dx7::CheckDX(d3d7_->CreateDevice(dx7::kIID_HalDevice, surface, &device_), "CreateDevice");
      }
      deviceTarget_ = surface;
    }
  } else if (surface->IsLost() != DD_OK) {
    dx7::CheckDX(dd7_->RestoreAllSurfaces(), "RestoreAllSurfaces");
    deviceTarget_ = nullptr;
  }
  TargetRenderSurface(surface);
  return 1;
}

int TD3D7GraphicsDriver::CheckValid() {
  if (checking_) return valid_;
  checking_ = true;
  const int result = ValidateDevice();
  if (result != valid_ && result && inScene_ && device_) device_->BeginScene();
  valid_ = result;
  checking_ = false;
  return result;
}

Ref<TD3D7GraphicsDriver> TD3D7GraphicsDriver::Instance() {
  Ref<TD3D7GraphicsDriver>& singleton = Singleton();
  if (singleton) return singleton;
  if (!dx7::LoadDirectDraw().createEx) return nullptr;
  Ref<TD3D7GraphicsDriver> driver = New<TD3D7GraphicsDriver>();
  if (!driver->Startup()) return nullptr;
  driver->ListModes();
  driver->Shutdown();
  AddSdlEventWatcher(&WatchFocus);
  singleton = driver;
  return singleton;
}

void TD3D7GraphicsDriver::ListModes() {
  modes_ = {};
  const HRESULT result = dd7_->EnumDisplayModes(DDEDM_REFRESHRATES, nullptr, &modes_, &ListMode);
  if (FAILED(result)) {
    std::fprintf(stderr, "DirectX 7: EnumDisplayModes failed: %s\n",
                 dx7::DXErrorName(static_cast<std::uint32_t>(result)).c_str());
  }
}

bool TD3D7GraphicsDriver::Startup() {
  dx7::AdvanceSurfaceGeneration();
  const dx7::DirectDrawLibrary& library = dx7::LoadDirectDraw();
  const char* failed = nullptr;
  HRESULT result = DD_OK;
  if (!library.createEx) {
    failed = "loading ddraw";
  } else if (FAILED(result = library.createEx(nullptr, reinterpret_cast<void**>(&dd7_),
                                              dx7::kIID_IDirectDraw7, nullptr))) {
    dd7_ = nullptr;
    failed = "DirectDrawCreateEx";
  } else if (FAILED(result = dd7_->SetCooperativeLevel(nullptr, kNormalLevel))) {
    failed = "SetCooperativeLevel";
  } else {
    DDCAPS_DX7 caps{};
    caps.dwSize = sizeof caps;
    if (FAILED(result = dd7_->GetCaps(&caps, nullptr))) {
      failed = "GetCaps";
    } else if (!(caps.dwCaps & DDCAPS_3D)) {
      failed = "3D capability";
    } else if (FAILED(result = dd7_->QueryInterface(dx7::kIID_IDirect3D7,
                                                    reinterpret_cast<void**>(&d3d7_)))) {
      d3d7_ = nullptr;
      failed = "Direct3D 7";
    }
  }
  if (!failed) return true;
  std::fprintf(stderr, "DirectX 7 is not usable: %s failed: %s\n", failed,
               dx7::DXErrorName(static_cast<std::uint32_t>(result)).c_str());
  Shutdown();
  return false;
}

void TD3D7GraphicsDriver::Shutdown() {
  dx7::AdvanceSurfaceGeneration();
  // Images remake their frames for the next DirectDraw object.
  if (!surfaces_.empty()) AdvanceGraphicsSequence();
  ReleaseInterface(device_);
  deviceTarget_ = nullptr;
  for (const SurfaceRecord& record : surfaces_) record.surface->Release();
  surfaces_.clear();
  for (const Ref<TD3D7Graphics>& graphics : graphicsList_) graphics->ReleaseSurfaces();
  ReleaseInterface(d3d7_);
  ReleaseInterface(dd7_);
  valid_ = 0;
}

}  // namespace corvax
