#include <corvax/pixmap/pixel_format.h>
#include <corvax/plex2d/image.h>

#include "d3d7_plex2d.h"
#include "dx7_support.h"

namespace corvax {
namespace {

constexpr DWORD kManagedTexture = DDSCAPS2_TEXTUREMANAGE;

// One level of a texture locked for pixel access; unlocked when it goes, so that a throw on the
// way leaves nothing locked.
class LockedLevel {
 public:
  explicit LockedLevel(IDirectDrawSurface7* surface) : surface_(surface) {
    description_.dwSize = sizeof description_;
    locked_ = SUCCEEDED(surface_->Lock(nullptr, &description_, DDLOCK_WAIT, nullptr));
  }
  ~LockedLevel() {
    if (locked_) surface_->Unlock(nullptr);
  }
  LockedLevel(const LockedLevel&) = delete;
  LockedLevel& operator=(const LockedLevel&) = delete;

  bool Locked() const { return locked_; }
  dx7::PixelPlane Plane() const {
    return {static_cast<std::uint8_t*>(description_.lpSurface), description_.lPitch,
            static_cast<int>(description_.dwWidth), static_cast<int>(description_.dwHeight)};
  }

 private:
  IDirectDrawSurface7* surface_;
  DDSURFACEDESC2 description_{};
  bool locked_ = false;
};

// A reference to an attached surface, released when it goes.
struct AttachedLevel {
  IDirectDrawSurface7* surface = nullptr;
  ~AttachedLevel() {
    if (surface) surface->Release();
  }
};

}  // namespace

Ref<TD3D7ImageFrame> TD3D7ImageFrame::Create(TD3D7Plex2DDriver& driver, int width, int height,
                                             int flags) {
  const dx7::TextureFit fit = dx7::FitPictureToTexture(width, height);
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  description.dwWidth = static_cast<DWORD>(fit.textureWidth);
  description.dwHeight = static_cast<DWORD>(fit.textureHeight);
  description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  if (flags & IMAGE_MIPMAPPED) description.ddsCaps.dwCaps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
  description.ddsCaps.dwCaps2 = kManagedTexture;
  DDPIXELFORMAT& format = description.ddpfPixelFormat;
  format.dwSize = sizeof format;
  format.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
  format.dwRGBBitCount = 32;
  format.dwRBitMask = 0xFF0000;
  format.dwGBitMask = 0xFF00;
  format.dwBBitMask = 0xFF;
  format.dwRGBAlphaBitMask = 0xFF000000;
  IDirectDrawSurface7* surface = driver.Graphics().CreateSurface(description);
  if (!surface) throw TThrownString(u"Create DX7 surface Failed");
  Ref<TD3D7ImageFrame> frame(new TD3D7ImageFrame);
  frame->surface_ = surface;
  frame->generation_ = dx7::SurfaceGeneration();
  frame->width_ = width;
  frame->height_ = height;
  frame->textureWidth_ = fit.textureWidth;
  frame->textureHeight_ = fit.textureHeight;
  frame->u_ = fit.u;
  frame->v_ = fit.v;
  frame->flags_ = flags;
  return frame;
}

TD3D7ImageFrame::~TD3D7ImageFrame() {
  const Ref<TD3D7Plex2DDriver> driver = TD3D7Plex2DDriver::Instance();
  if (!driver) return;
  driver->ForgetTexture(this);
  if (driver->Graphics().IsLiveSurface(surface_, generation_) && locked_) surface_->Unlock(nullptr);
  driver->Graphics().ReleaseSurface(surface_, generation_);
}

void TD3D7ImageFrame::RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) {
  if (const Ref<TD3D7Plex2DDriver> driver = TD3D7Plex2DDriver::Instance()) {
    driver->DrawFrame(*this, FramePart{}, x0, y0, x1, y1, tx, ty);
  }
}

void TD3D7ImageFrame::RenderFrameParts(const std::vector<FrameQuad>& quads) {
  if (const Ref<TD3D7Plex2DDriver> driver = TD3D7Plex2DDriver::Instance()) {
    for (const FrameQuad& q : quads) {
      driver->DrawFrame(*this, q.part, q.x0, q.y0, q.x1, q.y1, q.tx, q.ty);
    }
  }
}

Ref<TPixmap> TD3D7ImageFrame::LockFrame(bool readOnly, bool writeOnly) {
  const Ref<TD3D7Plex2DDriver> driver = TD3D7Plex2DDriver::Instance();
  DWORD flags = DDLOCK_WAIT;
  if (readOnly) flags |= DDLOCK_READONLY;
  if (writeOnly) flags |= DDLOCK_WRITEONLY;
  // The description of a frame locked already stays as it is: UnlockFrame needs it.
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  if (locked_ || !driver || !driver->Graphics().IsLiveSurface(surface_, generation_) ||
      FAILED(surface_->Lock(nullptr, &description, flags, nullptr))) {
    ThrowRuntimeError(u"DD3D7ImageFrame Lock failed");
  }
  description_ = description;
  locked_ = true;
  return PixmapCreateStatic(description_.lpSurface, width_, height_, description_.lPitch,
                            FORMAT_BGRA8888);
}

void TD3D7ImageFrame::UnlockFrame() {
  if (!locked_) return;
  const dx7::PixelPlane plane{static_cast<std::uint8_t*>(description_.lpSurface),
                              description_.lPitch, textureWidth_, textureHeight_};
  dx7::PadEdges(plane, width_, height_, (flags_ & IMAGE_MIPMAPPED) != 0);
  surface_->Unlock(nullptr);
  locked_ = false;
  if (flags_ & IMAGE_MIPMAPPED) BuildMipMaps();
}

void TD3D7ImageFrame::BuildMipMaps() {
  IDirectDrawSurface7* upper = surface_;
  AttachedLevel held;
  for (;;) {
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_TEXTURE;
    caps.dwCaps2 = DDSCAPS2_MIPMAPSUBLEVEL;
    AttachedLevel lower;
    if (FAILED(upper->GetAttachedSurface(&caps, &lower.surface)) || !lower.surface) return;
    {
      const LockedLevel upperLevel(upper);
      const LockedLevel lowerLevel(lower.surface);
      if (!upperLevel.Locked() || !lowerLevel.Locked()) {
        ThrowRuntimeError(u"BuildMipMaps: lock failed");
      }
      dx7::HalveLevel(upperLevel.Plane(), lowerLevel.Plane());
    }
    // The lower level becomes the upper; the reference held on the old upper goes.
    std::swap(held.surface, lower.surface);
    upper = held.surface;
  }
}

}  // namespace corvax
