// Pixel-exact collisions: images are tested where they would be drawn, and only pixels that
// are not transparent count, so two balls whose boxes overlap may still miss each other.
// No window is needed: the tests use the images' pixels, not the screen.
#include <cstdio>

#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();
  SetMaskRGB(255, 0, 255);  // the magenta around the ball is transparent
  Ref<TImage> ball = LoadImageFromUrl("ball.png", IMAGE_MASK);
  if (!ball) {
    PrintLine(u"collisions: cannot load ball.png");
    return;
  }

  // The ball is 48 x 48 with a round body. Side by side 40 pixels apart, the bodies overlap.
  std::printf("side by side: %s\n", ImagesOverlap(ball, 0, 0, 0, ball, 40, 0, 0) ? "hit" : "miss");
  // Diagonally 36 pixels apart, the boxes still overlap, but the round bodies do not touch.
  std::printf("corner to corner: %s\n",
              ImagesOverlap(ball, 0, 0, 0, ball, 36, 36, 0) ? "hit" : "miss");
  // Rotation and scale count too: the second ball scaled down to half its size.
  std::printf("scaled down: %s\n",
              TransformedImagesOverlap(ball, 0, 0, 0, 0, 1, 1, ball, 44, 10, 0, 0, 0.5f, 0.5f)
                  ? "hit"
                  : "miss");

  // Layers: write shapes into numbered layers (bit masks), then ask which of them a shape hits.
  // Here three walls go into layer 1, then the ball asks which walls it touches.
  ResetCollisionLayers(0);
  const char* names[] = {"left wall", "floor", "right wall"};
  CollideRectLayers(0, 0, 10, 100, 0, 1 << 1, Box(names[0]));
  CollideRectLayers(0, 90, 200, 10, 0, 1 << 1, Box(names[1]));
  CollideRectLayers(190, 0, 10, 100, 0, 1 << 1, Box(names[2]));
  Array<Ref<Object>> hits = CollideImageLayers(ball, 5, 50, 0, 1 << 1, 0, nullptr);
  for (int i = 0; i < hits.Length(); ++i)
    std::printf("ball touches the %s\n", ToUtf8(hits[i]->ToString()).c_str());
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
