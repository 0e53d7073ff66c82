#pragma once
// An animated GIF written frame by frame through giflib: each frame reduced to its own 256
// colours, the animation looping for ever.
#include <string>

#include <corvax/pixmap/pixmap.h>
#include <corvax/stream/stream.h>

struct GifFileType;

namespace corvax {

class GifAnimation {
 public:
  GifAnimation() = default;
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;
  ~GifAnimation();

  // Starts the file on `stream`, which the animation closes when it ends.
  bool Open(const Ref<TStream>& stream, int width, int height, int delayCentiseconds,
            std::string& error);
  // The frame must be the animation's size.
  bool AddFrame(const Ref<TPixmap>& frame, std::string& error);
  // Finishes the file and closes the stream.
  bool Close(std::string& error);

 private:
  GifFileType* gif_ = nullptr;
  Ref<TStream> stream_;
  int width_ = 0;
  int height_ = 0;
  int delay_ = 0;
};

}  // namespace corvax
