#pragma once
// Decides from measured present times whether a synchronised present really waits for a
// retrace at the requested rate: three presents in a row within a millisecond of the frame
// time confirm it. Many presents in a row far shorter than a frame settle the opposite: such a
// present does not wait for any retrace, so measuring on cannot change the answer.
namespace corvax {

class SyncProbe {
 public:
  explicit SyncProbe(int hertz) : expectedMs_(hertz > 0 ? 1000 / hertz : 0) {}

  // Records one present's duration; true once the retrace wait is confirmed.
  bool Record(int elapsedMs);
  bool Confirmed() const { return goodInARow_ >= kNeeded; }
  // True once enough presents in a row took less than half a frame.
  bool Refuted() const { return !Confirmed() && fastInARow_ >= kFastNeeded; }

  static constexpr int kFastNeeded = 32;

 private:
  static constexpr int kNeeded = 3;
  int expectedMs_;
  int goodInARow_ = 0;
  int fastInARow_ = 0;
};

}  // namespace corvax
