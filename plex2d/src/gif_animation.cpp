#include "gif_animation.h"

#include <array>
#include <unordered_map>
#include <vector>

#include <gif_lib.h>

#include <corvax/pixmap/pixel_format.h>

namespace corvax {
namespace {

constexpr int kColours = 256;
constexpr int kColourBits = 8;
// The application extension browsers read as "loop this many times"; 0 loops for ever.
constexpr std::array<GifByteType, 11> kLoopApplication = {'N', 'E', 'T', 'S', 'C', 'A',
                                                          'P', 'E', '2', '.', '0'};
constexpr std::array<GifByteType, 3> kLoopForEver = {1, 0, 0};

std::string GifError(const char* what, int code) {
  const char* text = GifErrorString(code);
  return std::string(what) + ": " + (text ? text : "giflib error " + std::to_string(code));
}

// A frame of at most 256 colours keeps them exactly.
bool ExactColours(const TPixmap& rgba, std::vector<GifByteType>& indices,
                  std::array<GifColorType, kColours>& palette) {
  const int width = rgba.Width();
  const int height = rgba.Height();
  indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::unordered_map<std::uint32_t, GifByteType> known;
  std::uint32_t last = 0;
  GifByteType lastIndex = 0;
  bool any = false;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgba.Pixels() + static_cast<std::ptrdiff_t>(y) * rgba.Pitch();
    GifByteType* out = indices.data() + static_cast<std::ptrdiff_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* pixel = row + 4 * x;
      const std::uint32_t colour = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
      if (!any || colour != last) {
        const auto found = known.find(colour);
        if (found != known.end()) {
          lastIndex = found->second;
        } else {
          if (known.size() == kColours) return false;
          lastIndex = static_cast<GifByteType>(known.size());
          palette[lastIndex] = {pixel[0], pixel[1], pixel[2]};
          known.emplace(colour, lastIndex);
        }
        last = colour;
        any = true;
      }
      out[x] = lastIndex;
    }
  }
  return true;
}

// Any other frame is reduced to 256 colours by giflib.
bool ReducedColours(const TPixmap& rgba, std::vector<GifByteType>& indices,
                    std::array<GifColorType, kColours>& palette) {
  const int width = rgba.Width();
  const int height = rgba.Height();
  const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<GifByteType> red(pixels), green(pixels), blue(pixels);
  indices.resize(pixels);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgba.Pixels() + static_cast<std::ptrdiff_t>(y) * rgba.Pitch();
    const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      const std::size_t i = start + static_cast<std::size_t>(x);
      red[i] = row[4 * x];
      green[i] = row[4 * x + 1];
      blue[i] = row[4 * x + 2];
    }
  }
  int colours = kColours;
  return GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colours,
                           red.data(), green.data(), blue.data(), indices.data(),
                           palette.data()) != GIF_ERROR;
}

}  // namespace

int GifAnimation::Append(GifFileType* gif, const std::uint8_t* bytes, int count) {
  auto* animation = static_cast<GifAnimation*>(gif->UserData);
  animation->bytes_.insert(animation->bytes_.end(), bytes, bytes + count);
  return count;
}

GifAnimation::~GifAnimation() {
  std::string ignored;
  Close(ignored);
}

bool GifAnimation::Open(int width, int height, int delayCentiseconds, std::string& error) {
  int code = 0;
  gif_ = EGifOpen(this, &Append, &code);
  if (!gif_) {
    error = GifError("cannot start the GIF", code);
    return false;
  }
  width_ = width;
  height_ = height;
  delay_ = delayCentiseconds;
  EGifSetGifVersion(gif_, true);
  if (EGifPutScreenDesc(gif_, width, height, kColourBits, 0, nullptr) == GIF_ERROR ||
      EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(gif_, static_cast<int>(kLoopApplication.size()),
                            kLoopApplication.data()) == GIF_ERROR ||
      EGifPutExtensionBlock(gif_, static_cast<int>(kLoopForEver.size()), kLoopForEver.data()) ==
          GIF_ERROR ||
      EGifPutExtensionTrailer(gif_) == GIF_ERROR) {
    error = GifError("cannot write the GIF header", gif_->Error);
    return false;
  }
  return true;
}

bool GifAnimation::AddFrame(const TPixmap& frame, std::string& error) {
  if (!gif_) {
    error = "the GIF is not open";
    return false;
  }
  if (frame.Width() != width_ || frame.Height() != height_) {
    error = "a frame of " + std::to_string(frame.Width()) + " x " + std::to_string(frame.Height()) +
            " in an animation of " + std::to_string(width_) + " x " + std::to_string(height_);
    return false;
  }
  Ref<TPixmap> converted;
  if (frame.Format() != FORMAT_RGBA8888) converted = frame.ConvertTo(FORMAT_RGBA8888);
  const TPixmap& rgba = converted ? *converted : frame;
  std::vector<GifByteType> indices;
  std::array<GifColorType, kColours> palette{};
  if (!ExactColours(rgba, indices, palette) && !ReducedColours(rgba, indices, palette)) {
    error = "giflib cannot reduce the frame to 256 colours";
    return false;
  }
  ColorMapObject* map = GifMakeMapObject(kColours, palette.data());
  if (!map) {
    error = "no memory for the frame's colour map";
    return false;
  }
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay_;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  std::array<GifByteType, 4> controlBytes{};
  EGifGCBToExtension(&control, controlBytes.data());
  bool written =
      EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(controlBytes.size()),
                       controlBytes.data()) != GIF_ERROR &&
      EGifPutImageDesc(gif_, 0, 0, width_, height_, false, map) != GIF_ERROR;
  GifFreeMapObject(map);
  for (int y = 0; written && y < height_; ++y) {
    written = EGifPutLine(gif_, indices.data() + static_cast<std::ptrdiff_t>(y) * width_, width_) !=
              GIF_ERROR;
  }
  if (!written) error = GifError("cannot write a GIF frame", gif_->Error);
  return written;
}

bool GifAnimation::Close(std::string& error) {
  if (!gif_) return true;
  int code = 0;
  const bool closed = EGifCloseFile(gif_, &code) != GIF_ERROR;
  gif_ = nullptr;
  if (!closed) error = GifError("cannot finish the GIF", code);
  return closed;
}

}  // namespace corvax
