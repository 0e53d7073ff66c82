#pragma once
// The schedule of software-paced presents: whole milliseconds per frame, with the remainder
// of each second spread over the frames so that every second holds exactly `hertz` frames.
#include <cstdint>

namespace corvax {

class FramePacer {
 public:
  // Starts the schedule at now; hertz 0 (or less) paces nothing.
  void Start(int hertz, std::uint32_t now);
  // Advances the schedule by one frame and returns how many milliseconds to wait before
  // presenting it. A frame that is already late waits 0 and restarts the schedule from now,
  // so later frames do not hurry to catch up.
  int NextFrameDelay(std::uint32_t now);

  int Hertz() const { return hertz_; }
  int FrameMilliseconds() const { return frameMs_; }
  int RemainderStep() const { return remainderStep_; }
  std::uint32_t NextFrameTime() const { return nextFrame_; }

 private:
  int hertz_ = 0;
  int frameMs_ = 0;
  int remainderStep_ = 0;
  std::int64_t accumulator_ = 0;
  std::uint32_t nextFrame_ = 0;
};

}  // namespace corvax
