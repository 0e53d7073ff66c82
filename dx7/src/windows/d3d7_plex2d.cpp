#include "d3d7_plex2d.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <corvax/plex2d/backend/shape_support.h>
#include <corvax/plex2d/blend.h>
#include <corvax/plex2d/plex2d_graphics.h>
#include <corvax/runtime/immortal.h>

#include "dx7_support.h"

namespace corvax {
namespace {

constexpr DWORD kColourFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;
// Lines and points land on pixel centres; the extra ten-thousandth keeps a coordinate that is
// exactly between two pixels from rounding either way.
constexpr float kPixelCentre = 0.5001f;
constexpr DWORD kAlphaReference = 128;
constexpr int kMostPolygonPoints = 1 << 20;

// Direct3D 7 texture-stage operations and filters.
constexpr DWORD kSelectDiffuse = D3DTOP_SELECTARG2;
constexpr DWORD kModulate = D3DTOP_MODULATE;
constexpr DWORD kPointFilter = 1;
constexpr DWORD kLinearFilter = 2;

std::uint8_t ClampByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

Ref<TD3D7Plex2DDriver> TD3D7Plex2DDriver::Instance() {
  static auto* const singleton = &MakeImmortal<Ref<TD3D7Plex2DDriver>>();
  if (!*singleton) {
    Ref<TD3D7GraphicsDriver> graphics = TD3D7GraphicsDriver::Instance();
    if (!graphics) return nullptr;
    *singleton = New<TD3D7Plex2DDriver>();
    (*singleton)->graphics_ = graphics;
  }
  return *singleton;
}

// ---- graphics ----

Array<Ref<TGraphicsMode>> TD3D7Plex2DDriver::EnumerateModes() {
  return graphics_->EnumerateModes();
}

Ref<TGraphics> TD3D7Plex2DDriver::AttachToWindow(int window, int flags) {
  return TPlex2DGraphics::Create2DGraphics(graphics_->AttachToWindow(window, flags),
                                           Ref<TPlex2DDriver>(this));
}

Ref<TGraphics> TD3D7Plex2DDriver::CreateContext(int width, int height, int depth, int hertz,
                                                int flags) {
  return TPlex2DGraphics::Create2DGraphics(
      graphics_->CreateContext(width, height, depth, hertz, flags), Ref<TPlex2DDriver>(this));
}

void TD3D7Plex2DDriver::SelectContext(const Ref<TGraphics>& graphics) {
  const Ref<TPlex2DGraphics> g = Cast<TPlex2DGraphics>(graphics);
  if (!g || !g->Wrapped()) {
    graphics_->SelectContext(nullptr);
    TPlex2DGraphics::ClearCurrent2D();
    valid_ = 0;
    return;
  }
  graphics_->SelectContext(g->Wrapped());
  valid_ = graphics_->IsValid();
  ResetDevice();
  graphics_->BeginScene();
  g->MakeCurrent2D();
  g->ApplyState();
}

void TD3D7Plex2DDriver::Present(int sync) {
  graphics_->EndScene();
  graphics_->Present(sync);
  valid_ = graphics_->IsValid();
  if (!valid_) return;
  ResetDevice();
  if (const Ref<TPlex2DGraphics> current = TPlex2DGraphics::Current2D()) current->ApplyState();
  graphics_->BeginScene();
}

// ---- state ----

bool TD3D7Plex2DDriver::IsValid() {
  if (valid_) valid_ = graphics_->IsValid();
  return valid_ != 0 && device_ != nullptr;
}

void TD3D7Plex2DDriver::SetState(D3DRENDERSTATETYPE state, DWORD value) {
  ++stateCalls_;
  device_->SetRenderState(state, value);
}

void TD3D7Plex2DDriver::SetStageState(D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  ++stateCalls_;
  device_->SetTextureStageState(0, state, value);
}

void TD3D7Plex2DDriver::SetFilters(DWORD filter) {
  SetStageState(D3DTSS_MAGFILTER, filter);
  SetStageState(D3DTSS_MINFILTER, filter);
  SetStageState(D3DTSS_MIPFILTER, filter);
}

void TD3D7Plex2DDriver::ResetDevice() {
  device_ = graphics_->Device();
  if (!valid_ || !device_) return;
  int w = 0, h = 0, depth = 0, hertz = 0, flags = 0;
  graphics_->Current()->GetSettings(w, h, depth, hertz, flags);
  targetWidth_ = w;
  targetHeight_ = h;
  D3DVIEWPORT7 viewport{0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0.0f, 1.0f};
  device_->SetViewport(&viewport);
  const dx7::PixelProjection projection = dx7::ProjectionFor(w, h);
  D3DMATRIX matrix{};
  matrix._11 = projection.scaleX;
  matrix._22 = projection.scaleY;
  matrix._33 = 1;
  matrix._41 = projection.offsetX;
  matrix._42 = projection.offsetY;
  matrix._44 = 1;
  device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix);
  device_->SetTexture(0, nullptr);
  SetState(D3DRENDERSTATE_ALPHAREF, kAlphaReference);
  SetState(D3DRENDERSTATE_ALPHAFUNC, D3DCMP_GREATEREQUAL);
  SetState(D3DRENDERSTATE_ALPHATESTENABLE, FALSE);
  SetState(D3DRENDERSTATE_ALPHABLENDENABLE, FALSE);
  SetState(D3DRENDERSTATE_LIGHTING, FALSE);
  SetState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  SetStageState(D3DTSS_COLOROP, kSelectDiffuse);
  SetStageState(D3DTSS_COLORARG1, D3DTA_TEXTURE);
  SetStageState(D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  SetStageState(D3DTSS_ALPHAOP, kSelectDiffuse);
  SetStageState(D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  SetStageState(D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  SetStageState(D3DTSS_ADDRESS, D3DTADDRESS_CLAMP);
  SetStageState(D3DTSS_MAGFILTER, kPointFilter);
  SetStageState(D3DTSS_MINFILTER, kPointFilter);
  SetStageState(D3DTSS_MIPFILTER, kLinearFilter);
  texture_ = nullptr;
  filtered_ = false;
  blendMode_ = BLEND_SOLID;
}

void TD3D7Plex2DDriver::BindTexture(TD3D7ImageFrame* frame) {
  if (frame == texture_) return;
  if (!frame) {
    device_->SetTexture(0, nullptr);
    SetStageState(D3DTSS_COLOROP, kSelectDiffuse);
    SetStageState(D3DTSS_ALPHAOP, kSelectDiffuse);
    texture_ = nullptr;
    return;
  }
  device_->SetTexture(0, frame->Surface());
  if (!texture_) {
    SetStageState(D3DTSS_COLOROP, kModulate);
    SetStageState(D3DTSS_ALPHAOP, kModulate);
  }
  texture_ = frame;
  const bool filtered = (frame->Flags() & IMAGE_FILTERED) != 0;
  if (filtered != filtered_) {
    SetFilters(filtered ? kLinearFilter : kPointFilter);
    filtered_ = filtered;
  }
}

void TD3D7Plex2DDriver::ForgetTexture(TD3D7ImageFrame* frame) {
  if (frame != texture_) return;
  // The device lets go of the surface too, so it can really go.
  if (IsValid()) {
    BindTexture(nullptr);
  } else {
    texture_ = nullptr;
  }
}

void TD3D7Plex2DDriver::UseBlendMode(int mode) {
  if (!IsValid() || mode == blendMode_) return;
  blendMode_ = mode;
  const dx7::BlendRenderStates states = dx7::BlendStatesFor(mode);
  SetState(D3DRENDERSTATE_ALPHATESTENABLE, states.alphaTest);
  SetState(D3DRENDERSTATE_ALPHABLENDENABLE, states.alphaBlend);
  if (states.alphaBlend) {
    SetState(D3DRENDERSTATE_SRCBLEND, static_cast<DWORD>(states.sourceBlend));
    SetState(D3DRENDERSTATE_DESTBLEND, static_cast<DWORD>(states.destinationBlend));
  }
}

void TD3D7Plex2DDriver::UseAlpha(float alpha) {
  // NaN counts as 0, so the byte is always defined.
  const float a = alpha >= 0 ? std::min(alpha, 1.0f) : 0.0f;
  colour_ = (colour_ & 0x00FFFFFFu) | (static_cast<DWORD>(255 * a) << 24);
}

void TD3D7Plex2DDriver::UseColor(int r, int g, int b) {
  colour_ = (colour_ & 0xFF000000u) | (DWORD{ClampByte(r)} << 16) | (DWORD{ClampByte(g)} << 8) |
            ClampByte(b);
}

void TD3D7Plex2DDriver::UseClearColor(int r, int g, int b) {
  clearColour_ =
      0xFF000000u | (DWORD{ClampByte(r)} << 16) | (DWORD{ClampByte(g)} << 8) | ClampByte(b);
}

void TD3D7Plex2DDriver::UseViewport(int x, int y, int width, int height) {
  if (!IsValid()) return;
  clipRect_[0] = x;
  clipRect_[1] = y;
  clipRect_[2] = x + width;
  clipRect_[3] = y + height;
  if (dx7::CoversTarget(x, y, width, height, targetWidth_, targetHeight_)) {
    SetState(D3DRENDERSTATE_CLIPPLANEENABLE, 0);
    return;
  }
  const std::array<dx7::ClipPlane, 4> planes = dx7::ViewportClipPlanes(x, y, width, height);
  for (DWORD i = 0; i < planes.size(); ++i) {
    dx7::ClipPlane plane = planes[i];
    if (FAILED(device_->SetClipPlane(i, plane.data()))) {
      throw TThrownString(u"device does not support clipplanes");
    }
  }
  SetState(D3DRENDERSTATE_CLIPPLANEENABLE,
           D3DCLIPPLANE0 | D3DCLIPPLANE1 | D3DCLIPPLANE2 | D3DCLIPPLANE3);
}

void TD3D7Plex2DDriver::UseTransform(float ix, float iy, float jx, float jy) {
  ix_ = ix;
  iy_ = iy;
  jx_ = jx;
  jy_ = jy;
}

void TD3D7Plex2DDriver::UseLineWidth(float width) {
  lineWidth_ = width;
}

// ---- drawing ----

TD3D7Plex2DDriver::ColourVertex TD3D7Plex2DDriver::Transformed(float x, float y, float tx,
                                                               float ty) const {
  return {tx + x * ix_ + y * iy_, ty + x * jx_ + y * jy_, 0, colour_};
}

void TD3D7Plex2DDriver::DrawColoured(D3DPRIMITIVETYPE type, ColourVertex* vertices, int count) {
  BindTexture(nullptr);
  device_->DrawPrimitive(type, kColourFormat, vertices, static_cast<DWORD>(count), 0);
}

void TD3D7Plex2DDriver::ClearTarget() {
  if (!IsValid()) return;
  D3DRECT rect{};
  rect.x1 = clipRect_[0];
  rect.y1 = clipRect_[1];
  rect.x2 = clipRect_[2];
  rect.y2 = clipRect_[3];
  device_->Clear(1, &rect, D3DCLEAR_TARGET, clearColour_, 0.0f, 0);
}

void TD3D7Plex2DDriver::RenderPoint(float x, float y) {
  if (!IsValid()) return;
  ColourVertex point{x + kPixelCentre, y + kPixelCentre, 0, colour_};
  DrawColoured(D3DPT_POINTLIST, &point, 1);
}

void TD3D7Plex2DDriver::RenderLine(float x0, float y0, float x1, float y1, float tx, float ty) {
  if (!IsValid()) return;
  ColourVertex from = Transformed(x0, y0, tx, ty);
  ColourVertex to = Transformed(x1, y1, tx, ty);
  if (lineWidth_ == 1.0f) {
    ColourVertex line[2] = {from, to};
    for (ColourVertex& end : line) {
      end.x += kPixelCentre;
      end.y += kPixelCentre;
    }
    DrawColoured(D3DPT_LINELIST, line, 2);
    return;
  }
  const std::array<float, 8> corners = dx7::WideLineStrip(from.x, from.y, to.x, to.y, lineWidth_);
  ColourVertex strip[4];
  for (int i = 0; i < 4; ++i) strip[i] = {corners[2 * i], corners[2 * i + 1], 0, colour_};
  DrawColoured(D3DPT_TRIANGLESTRIP, strip, 4);
}

void TD3D7Plex2DDriver::RenderRect(float x0, float y0, float x1, float y1, float tx, float ty) {
  if (!IsValid()) return;
  ColourVertex strip[4] = {Transformed(x0, y0, tx, ty), Transformed(x1, y0, tx, ty),
                           Transformed(x0, y1, tx, ty), Transformed(x1, y1, tx, ty)};
  DrawColoured(D3DPT_TRIANGLESTRIP, strip, 4);
}

void TD3D7Plex2DDriver::RenderOval(float x0, float y0, float x1, float y1, float tx, float ty) {
  if (!IsValid()) return;
  const float rx = (x1 - x0) * 0.5f;
  const float ry = (y1 - y0) * 0.5f;
  const float cx = x0 + rx;
  const float cy = y0 + ry;
  const int n = detail::OvalSegments(rx, ry);
  std::vector<ColourVertex> fan(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double theta = -i * 360.0 / n * std::numbers::pi / 180.0;
    fan[static_cast<std::size_t>(i)] =
        Transformed(cx + rx * static_cast<float>(std::cos(theta)),
                    cy - ry * static_cast<float>(std::sin(theta)), tx, ty);
  }
  DrawColoured(D3DPT_TRIANGLEFAN, fan.data(), n);
}

void TD3D7Plex2DDriver::RenderPolygon(const Array<float>& points, float hx, float hy, float tx,
                                      float ty) {
  if (!IsValid() || points.Length() < 6 || points.Length() % 2 != 0) return;
  const int count = std::min(points.Length() / 2, kMostPolygonPoints);
  std::vector<ColourVertex> fan(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    fan[static_cast<std::size_t>(i)] =
        Transformed(points[2 * i] + hx, points[2 * i + 1] + hy, tx, ty);
  }
  DrawColoured(D3DPT_TRIANGLEFAN, fan.data(), count);
}

void TD3D7Plex2DDriver::DrawFrame(TD3D7ImageFrame& frame, const FramePart& part, float x0, float y0,
                                  float x1, float y1, float tx, float ty) {
  if (!IsValid()) return;
  // A frame of a DirectDraw object that is gone: its image makes a new one for the next frame.
  if (!graphics_->IsLiveSurface(frame.Surface(), frame.Generation())) return;
  // The picture fills only the top-left of a texture sized up to powers of two.
  const float u0 = part.left * frame.U();
  const float v0 = part.top * frame.V();
  const float u1 = part.right * frame.U();
  const float v1 = part.bottom * frame.V();
  const ColourVertex corners[4] = {Transformed(x0, y0, tx, ty), Transformed(x1, y0, tx, ty),
                                   Transformed(x1, y1, tx, ty), Transformed(x0, y1, tx, ty)};
  const float coordinates[4][2] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
  TexturedVertex fan[4];
  for (int i = 0; i < 4; ++i) {
    fan[i] = {corners[i].x, corners[i].y, 0, colour_, coordinates[i][0], coordinates[i][1]};
  }
  BindTexture(&frame);
  device_->DrawPrimitive(D3DPT_TRIANGLEFAN, D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, fan, 4, 0);
}

// ---- pixels through GDI ----

IDirectDrawSurface7* TD3D7Plex2DDriver::CreateSystemSurface(const Ref<TPixmap>& pixmap) {
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags =
      DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_LPSURFACE;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  description.dwWidth = static_cast<DWORD>(pixmap->Width());
  description.dwHeight = static_cast<DWORD>(pixmap->Height());
  description.lPitch = pixmap->Pitch();
  description.lpSurface = pixmap->Pixels();
  DDPIXELFORMAT& format = description.ddpfPixelFormat;
  format.dwSize = sizeof format;
  format.dwFlags = DDPF_RGB;
  format.dwRGBBitCount = 32;
  format.dwRBitMask = 0xFF0000;
  format.dwGBitMask = 0xFF00;
  format.dwBBitMask = 0xFF;
  IDirectDrawSurface7* surface = nullptr;
  if (!graphics_->DirectDraw() ||
      FAILED(graphics_->DirectDraw()->CreateSurface(&description, &surface, nullptr))) {
    ThrowRuntimeError(u"D3D7Plex2D Create System Surface Failed");
  }
  return surface;
}

void TD3D7Plex2DDriver::ResumeScene() {
  graphics_->BeginScene();
}

namespace {

// Copies between the device's render target and a pixmap-backed system surface through GDI,
// which converts whatever format the render target has. false when a step failed.
bool CopyThroughGdi(IDirect3DDevice7* device, IDirectDrawSurface7* system, int x, int y, int width,
                    int height, bool toTarget) {
  IDirectDrawSurface7* target = nullptr;
  if (FAILED(device->GetRenderTarget(&target)) || !target) return false;
  bool copied = false;
  HDC targetDc = nullptr;
  HDC systemDc = nullptr;
  if (SUCCEEDED(target->GetDC(&targetDc))) {
    if (SUCCEEDED(system->GetDC(&systemDc))) {
      copied = toTarget ? BitBlt(targetDc, x, y, width, height, systemDc, 0, 0, SRCCOPY)
                        : BitBlt(systemDc, 0, 0, width, height, targetDc, x, y, SRCCOPY);
      system->ReleaseDC(systemDc);
    }
    target->ReleaseDC(targetDc);
  }
  target->Release();
  return copied;
}

}  // namespace

void TD3D7Plex2DDriver::RenderPixmap(const Ref<TPixmap>& pixmap, int x, int y) {
  if (!IsValid() || !pixmap || pixmap->Width() < 1 || pixmap->Height() < 1) return;
  // GDI reads 32-bit BGRA rows alone among the pixmap formats without surprises.
  const Ref<TPixmap> source =
      pixmap->Format() == FORMAT_BGRA8888 ? pixmap : pixmap->ConvertTo(FORMAT_BGRA8888);
  graphics_->EndScene();
  IDirectDrawSurface7* system = nullptr;
  try {
    system = CreateSystemSurface(source);
  } catch (...) {
    ResumeScene();
    throw;
  }
  const bool copied =
      CopyThroughGdi(device_, system, x, y, source->Width(), source->Height(), true);
  system->Release();
  ResumeScene();
  if (!copied) std::fprintf(stderr, "DirectX 7: drawing a pixmap through GDI failed\n");
}

Ref<TPixmap> TD3D7Plex2DDriver::CapturePixmap(int x, int y, int width, int height) {
  if (!IsValid() || width < 1 || height < 1) return nullptr;
  const Ref<TPixmap> pixels = PixmapCreate(width, height, FORMAT_BGRA8888);
  if (!pixels) return nullptr;
  graphics_->EndScene();
  IDirectDrawSurface7* system = nullptr;
  try {
    system = CreateSystemSurface(pixels);
  } catch (...) {
    ResumeScene();
    throw;
  }
  const bool copied = CopyThroughGdi(device_, system, x, y, width, height, false);
  system->Release();
  ResumeScene();
  if (!copied) {
    std::fprintf(stderr, "DirectX 7: reading the render target through GDI failed\n");
    return nullptr;
  }
  return pixels->ConvertTo(FORMAT_BGR888);
}

// ---- images ----

Ref<TImageFrame> TD3D7Plex2DDriver::MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) {
  if (!IsValid() || !pixmap || pixmap->Width() < 1 || pixmap->Height() < 1) return nullptr;
  const Ref<TD3D7ImageFrame> frame =
      TD3D7ImageFrame::Create(*this, pixmap->Width(), pixmap->Height(), imageFlags);
  const Ref<TPixmap> locked = frame->LockFrame(false, true);
  locked->PasteFrom(
      pixmap->Format() == FORMAT_BGRA8888 ? pixmap : pixmap->ConvertTo(FORMAT_BGRA8888), 0, 0);
  frame->UnlockFrame();
  return frame;
}

}  // namespace corvax
