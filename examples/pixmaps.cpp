// Pixmap processing, no window needed: load a picture, resize it, make its background
// transparent, flip it, and save the results as PNG and JPEG.
#include <cstdio>

#include <corvax/corvax.h>
using namespace corvax;

void Describe(const char* what, const Ref<TPixmap>& pixmap) {
  std::printf("%s: %d x %d, format %d, %d bytes per pixel\n", what, PixmapGetWidth(pixmap),
              PixmapGetHeight(pixmap), PixmapGetFormat(pixmap),
              BytesPerPixel[PixmapGetFormat(pixmap)]);
}

void Main() {
  StartupCorvax();

  // The pixmap loaders (PNG, JPEG, BMP, TGA) are asked in turn; Null when none reads the url.
  Ref<TPixmap> ball = PixmapLoad("ball.png");
  if (!ball) {
    PrintLine(u"pixmaps: cannot load ball.png");
    return;
  }
  Describe("loaded", ball);  // FORMAT_RGB888: the file has no alpha

  Ref<TPixmap> big = PixmapResize(ball, 96, 64);  // any size; stretched to fit
  Describe("resized", big);

  // Every magenta pixel becomes transparent black; the result has alpha (FORMAT_RGBA8888).
  Ref<TPixmap> masked = PixmapMaskColour(ball, 255, 0, 255);
  Describe("masked", masked);
  const ARGB corner = PixmapReadPixel(masked, 0, 0);
  std::printf("corner pixel alpha: %u\n", static_cast<unsigned>(corner >> 24));

  Ref<TPixmap> mirrored = PixmapFlipHorizontal(PixmapFlipVertical(masked));
  // Pixels can be read and written one at a time, as packed ARGB.
  PixmapWritePixel(mirrored, 24, 24, 0xFF00FF00);  // opaque green in the middle

  // PNG keeps the alpha; compression 0 (none) to 9 (smallest).
  if (!PixmapSavePNG(mirrored, "ball-mirrored.png", 9)) std::printf("PNG not saved\n");
  // JPEG has no alpha and loses a little; quality 0-100.
  if (!PixmapSaveJPEG(big, "ball-big.jpg", 90)) std::printf("JPEG not saved\n");

  Describe("PNG read back", PixmapLoad("ball-mirrored.png"));
  Describe("JPEG read back", PixmapLoad("ball-big.jpg"));
  Ref<TPixmap> grey = PixmapConvert(big, FORMAT_GREY8);  // any format converts to any other
  Describe("grey", grey);

  RemoveFile(u"ball-mirrored.png");
  RemoveFile(u"ball-big.jpg");
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
