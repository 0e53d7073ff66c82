#pragma once
// A GIF file read whole through giflib, for tests that check what a program wrote: closed
// however the test ends (an ASSERT returns early), its pixels looked up through the colour map
// that applies to them.
#include <memory>
#include <string>

#include <gif_lib.h>
#include <gtest/gtest.h>

namespace corvax::testing {

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// The whole file with every image decoded; Null, and giflib's reason in `why`, when it cannot be
// opened or read.
inline GifFile ReadGif(const std::string& path, std::string& why) {
  int error = 0;
  GifFile gif(DGifOpenFileName(path.c_str(), &error));
  if (!gif) {
    why = GifErrorString(error);
    return nullptr;
  }
  if (DGifSlurp(gif.get()) != GIF_OK) {
    why = GifErrorString(gif->Error);
    return nullptr;
  }
  return gif;
}

// The colour at x, y of the image `index`, through the image's own colour map or, without one,
// the file's; black, and a test failure, when neither is there.
inline GifColorType GifPixel(const GifFileType& gif, int index, int x, int y) {
  const SavedImage& image = gif.SavedImages[index];
  const ColorMapObject* colours =
      image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif.SColorMap;
  if (!colours) {
    ADD_FAILURE() << "image " << index << " has no colour map";
    return GifColorType{};
  }
  return colours->Colors[image.RasterBits[y * image.ImageDesc.Width + x]];
}

}  // namespace corvax::testing
