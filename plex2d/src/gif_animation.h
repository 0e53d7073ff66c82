#pragma once
// An animated GIF made frame by frame through giflib into memory: each frame keeps its colours
// when it has at most 256, else giflib reduces it to 256, and the animation loops for ever. It
// uses no framework state but the frames it is given, so it may run on a thread of its own.
#include <cstdint>
#include <string>
#include <vector>

#include <corvax/pixmap/pixmap.h>

struct GifFileType;

namespace corvax {

class GifAnimation {
 public:
  GifAnimation() = default;
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;
  ~GifAnimation();

  bool Open(int width, int height, int delayCentiseconds, std::string& error);
  bool IsOpen() const { return gif_ != nullptr; }
  // The frame must be the animation's size.
  bool AddFrame(const TPixmap& frame, std::string& error);
  // Ends the file.
  bool Close(std::string& error);
  // The file's bytes made since the last call.
  std::vector<std::uint8_t> TakeBytes() { return std::exchange(bytes_, {}); }

 private:
  static int Append(GifFileType* gif, const std::uint8_t* bytes, int count);

  GifFileType* gif_ = nullptr;
  std::vector<std::uint8_t> bytes_;
  int width_ = 0;
  int height_ = 0;
  int delay_ = 0;
};

}  // namespace corvax
