#include <cstdio>
#include <cstdlib>

#include <corvax/app/application.h>
#include <corvax/app/pointer_motion.h>
#include <corvax/graphics/graphics_core.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/handles.h>
#include <corvax/system/key_codes.h>
#include <corvax/system/polled_input.h>
#include <corvax/system/system_driver.h>

namespace corvax {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Full screen at 640x480, 16 bits, 72 Hz; where the display offers no such mode (a virtual
// X server, a desktop that refuses mode changes) a 640x480 window serves instead.
bool OpenDemoGraphics() {
  if (OpenGraphics(kWidth, kHeight, 16, 72, 0)) return true;
  return static_cast<bool>(OpenGraphics(kWidth, kHeight, 0, 72, 0));
}

void DrawPointer(int imageHandle, PointerPosition position) {
  for (const auto& copy : PointerCopies(position, 12, 21, kWidth, kHeight)) {
    // The image is looked up through its handle for every draw.
    DrawImageAt(Cast<TImage>(HandleToObject(imageHandle)), static_cast<float>(copy.x),
                static_cast<float>(copy.y));
  }
}

}  // namespace

void PointerDemoMain() {
  StartApplicationModules();
  if (!OpenDemoGraphics()) {
    std::fputs("pointer-demo: cannot open graphics\n", stderr);
    std::exit(1);
  }
  HidePointer();
  MovePointer(kWidth / 2, kHeight / 2);
  SetBlendMode(BLEND_MASK);
  SetMaskRGB(255, 0, 0);
  const Ref<TImage> image = LoadImageFromUrl("incbin::cursor.png", IMAGE_MASK);
  if (!image) {
    std::fputs("pointer-demo: cannot load incbin::cursor.png\n", stderr);
    std::exit(1);
  }
  const int imageHandle = HandleFromObject(image);

  PointerPosition position{kWidth / 2, kHeight / 2};
  while (KeyHitCount(KEY_ESCAPE) == 0) {
    ClearScreen();
    SetDrawColor(30, 90, 170);
    FillRect(0, 0, kWidth, kHeight);
    SetDrawColor(255, 255, 255);
    const int offsetX = PointerX() - kWidth / 2;
    const int offsetY = PointerY() - kHeight / 2;
    position.x = NextPointerCoordinate(offsetX, position.x, kWidth);
    position.y = NextPointerCoordinate(offsetY, position.y, kHeight);
    MovePointer(kWidth / 2, kHeight / 2);
    DrawPointer(imageHandle, position);
    PresentFrame(-1);
  }
  std::exit(0);
}

}  // namespace corvax
