#pragma once
// A graphics driver that records what the core asks of it, for testing the core without a
// display.
#include <chrono>
#include <thread>
#include <vector>

#include <corvax/graphics/graphics_core.h>

namespace corvax::testing {

class FakeGraphicsDriver;

class FakeGraphics : public TGraphics {
 public:
  FakeGraphics(FakeGraphicsDriver* driver, int width, int height, int depth, int hertz, int flags)
      : driver_(driver), width(width), height(height), depth(depth), hertz(hertz), flags(flags) {}

  Ref<TGraphicsDriver> Driver() const override;
  void GetSettings(int& w, int& h, int& d, int& hz, int& f) override {
    w = width;
    h = height;
    d = depth;
    hz = hertz;
    f = flags;
  }
  void CloseContext() override { ++closeCount; }

  FakeGraphicsDriver* driver_;
  int width, height, depth, hertz, flags;
  int closeCount = 0;
};

class FakeGraphicsDriver : public TGraphicsDriver {
 public:
  Array<Ref<TGraphicsMode>> EnumerateModes() override {
    ++enumerations;
    return modes;
  }
  Ref<TGraphics> AttachToWindow(int window, int flags) override {
    if (throwOnCreate) ThrowRuntimeError(u"no window");
    return New<FakeGraphics>(this, window, window, 0, 0, flags);
  }
  Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz, int flags) override {
    if (throwOnCreate) ThrowRuntimeError(u"no context");
    if (refuseCreate) return nullptr;
    return New<FakeGraphics>(this, width, height, depth, hertz, flags);
  }
  void SelectContext(const Ref<TGraphics>& graphics) override { selections.push_back(graphics); }
  void Present(int sync) override {
    presents.push_back(sync);
    if (sync && retraceMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(retraceMs));
  }

  Array<Ref<TGraphicsMode>> modes;
  int enumerations = 0;
  bool throwOnCreate = false;
  bool refuseCreate = false;
  int retraceMs = 0;  // how long a synchronised present waits
  std::vector<Ref<TGraphics>> selections;
  std::vector<int> presents;
};

inline Ref<TGraphicsDriver> FakeGraphics::Driver() const {
  return Ref<TGraphicsDriver>(driver_);
}

}  // namespace corvax::testing
