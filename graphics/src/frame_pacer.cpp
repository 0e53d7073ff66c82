#include "frame_pacer.h"

namespace corvax {

void FramePacer::Start(int hertz, std::uint32_t now) {
  hertz_ = hertz > 0 ? hertz : 0;
  frameMs_ = hertz_ ? 1000 / hertz_ : 0;
  remainderStep_ = 1000 - frameMs_ * hertz_;
  accumulator_ = 0;
  nextFrame_ = now;
}

int FramePacer::NextFrameDelay(std::uint32_t now) {
  if (hertz_ == 0) return 0;
  nextFrame_ += static_cast<std::uint32_t>(frameMs_);
  accumulator_ += remainderStep_;
  if (accumulator_ >= hertz_) {
    accumulator_ -= hertz_;
    nextFrame_ += 1;
  }
  // The clock wraps; differences are signed.
  const auto due = static_cast<std::int32_t>(nextFrame_ - now);
  if (due > 0) return due;
  nextFrame_ = now;
  return 0;
}

}  // namespace corvax
