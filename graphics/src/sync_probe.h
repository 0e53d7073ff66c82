#pragma once
// Decides from measured present times whether a synchronised present really waits for a
// retrace at the requested rate: three presents in a row within a millisecond of the frame
// time.
namespace corvax {

class SyncProbe {
 public:
  explicit SyncProbe(int hertz) : expectedMs_(hertz > 0 ? 1000 / hertz : 0) {}

  // Records one present's duration; true once the retrace wait is confirmed.
  bool Record(int elapsedMs);
  bool Confirmed() const { return goodInARow_ >= kNeeded; }

 private:
  static constexpr int kNeeded = 3;
  int expectedMs_;
  int goodInARow_ = 0;
};

}  // namespace corvax
