#pragma once
// A 2D driver without a display that logs every call, so the renderer's state handling and the
// commands it issues can be checked exactly.
#include <cstdio>
#include <string>
#include <vector>

#include <corvax/plex2d/plex2d_module.h>

namespace corvax::testing {

inline std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

template <class... T>
std::string Call(const char* name, T... values) {
  std::string line = name;
  ((line += " " + Num(static_cast<double>(values))), ...);
  return line;
}

using CallLog = std::vector<std::string>;

class TPlainGraphics : public TGraphics {
 public:
  TPlainGraphics(int width, int height) : width_(width), height_(height) {}
  Ref<TGraphicsDriver> Driver() const override { return nullptr; }
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override {
    width = width_;
    height = height_;
    depth = hertz = flags = 0;
  }
  void CloseContext() override { closed = true; }
  bool closed = false;

 private:
  int width_;
  int height_;
};

class TRecordingFrame : public TImageFrame {
 public:
  TRecordingFrame(CallLog& log, int id) : log_(log), id_(id) {}
  void RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) override {
    log_.push_back(Call("RenderFrame", id_, x0, y0, x1, y1, tx, ty));
  }
  void RenderFrameParts(const std::vector<FrameQuad>& quads) override {
    log_.push_back(Call("RenderFrameParts", id_, quads.size()));
    for (const FrameQuad& q : quads) {
      log_.push_back(Call("Part", id_, q.part.left, q.part.top, q.part.right, q.part.bottom, q.x0,
                          q.y0, q.x1, q.y1, q.tx, q.ty));
    }
  }

 private:
  CallLog& log_;
  int id_;
};

class TRecording2DDriver : public TPlex2DDriver {
 public:
  Array<Ref<TGraphicsMode>> EnumerateModes() override { return {}; }
  Ref<TGraphics> AttachToWindow(int, int) override { return nullptr; }
  Ref<TGraphics> CreateContext(int width, int height, int, int, int) override {
    return TPlex2DGraphics::Create2DGraphics(New<TPlainGraphics>(width, height),
                                             Ref<TPlex2DDriver>(this));
  }
  void SelectContext(const Ref<TGraphics>& graphics) override {
    const Ref<TPlex2DGraphics> g = Cast<TPlex2DGraphics>(graphics);
    if (!g) {
      TPlex2DGraphics::ClearCurrent2D();
      return;
    }
    g->MakeCurrent2D();
    g->ApplyState();
  }
  void Present(int sync) override { log.push_back(Call("Present", sync)); }

  Ref<TImageFrame> MakeImageFrame(const Ref<TPixmap>&, int flags) override {
    log.push_back(Call("MakeImageFrame", flags));
    if (refuseFrames) return nullptr;
    return New<TRecordingFrame>(log, ++framesMade);
  }
  void UseBlendMode(int mode) override { log.push_back(Call("UseBlendMode", mode)); }
  void UseAlpha(float alpha) override { log.push_back(Call("UseAlpha", alpha)); }
  void UseColor(int r, int g, int b) override { log.push_back(Call("UseColor", r, g, b)); }
  void UseClearColor(int r, int g, int b) override {
    log.push_back(Call("UseClearColor", r, g, b));
  }
  void UseViewport(int x, int y, int w, int h) override {
    log.push_back(Call("UseViewport", x, y, w, h));
  }
  void UseTransform(float ix, float iy, float jx, float jy) override {
    log.push_back(Call("UseTransform", ix, iy, jx, jy));
  }
  void UseLineWidth(float width) override { log.push_back(Call("UseLineWidth", width)); }
  void ClearTarget() override { log.push_back("ClearTarget"); }
  void RenderPoint(float x, float y) override { log.push_back(Call("RenderPoint", x, y)); }
  void RenderLine(float x0, float y0, float x1, float y1, float tx, float ty) override {
    log.push_back(Call("RenderLine", x0, y0, x1, y1, tx, ty));
  }
  void RenderRect(float x0, float y0, float x1, float y1, float tx, float ty) override {
    log.push_back(Call("RenderRect", x0, y0, x1, y1, tx, ty));
  }
  void RenderOval(float x0, float y0, float x1, float y1, float tx, float ty) override {
    log.push_back(Call("RenderOval", x0, y0, x1, y1, tx, ty));
  }
  void RenderPolygon(const Array<float>& points, float hx, float hy, float tx, float ty) override {
    log.push_back(Call("RenderPolygon", points.Length(), hx, hy, tx, ty));
  }
  void RenderPixmap(const Ref<TPixmap>&, int x, int y) override {
    log.push_back(Call("RenderPixmap", x, y));
  }
  Ref<TPixmap> CapturePixmap(int x, int y, int w, int h) override {
    log.push_back(Call("CapturePixmap", x, y, w, h));
    if (refuseCaptures) return nullptr;
    return PixmapCreate(w, h, FORMAT_RGBA8888);
  }

  CallLog log;
  int framesMade = 0;
  bool refuseFrames = false;
  bool refuseCaptures = false;  // as a driver that cannot read its back buffer
};

}  // namespace corvax::testing
