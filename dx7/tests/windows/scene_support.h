#pragma once
// Drawing one scene through a given 2D driver into fresh default graphics and reading it back.
#include <functional>

#include <corvax/graphics/graphics_core.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_driver.h>

namespace corvax::test {

inline constexpr int kSceneWidth = 160;
inline constexpr int kSceneHeight = 120;

// The scene's back buffer, in RGB (alpha dropped); Null when the graphics did not open.
inline Ref<TPixmap> DrawScene(const Ref<TPlex2DDriver>& driver,
                              const std::function<void()>& scene) {
  SelectGraphicsDriver(driver, 2);
  if (!OpenGraphics(kSceneWidth, kSceneHeight, 0, 60)) return nullptr;
  SetClearColor(0, 0, 0);
  ClearScreen();
  scene();
  Ref<TPixmap> pixels = GrabPixmapAt(0, 0, kSceneWidth, kSceneHeight);
  CloseDefaultGraphics();
  return pixels;
}

}  // namespace corvax::test
