#pragma once
// The software mixer: voices of mixer samples added into an accumulator and written as 16-bit
// stereo at 44100 Hz, one fragment at a time.
//
// Two threads meet here without locks. The main thread starts voices and sets their parameters;
// the audio thread mixes. Voices started on the main thread reach the mixer through the pending
// ring; finished voices come back through the free ring; everything else they share is a single
// atomic word.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace corvax::mixer {

inline constexpr int kOutputRate = 44100;
inline constexpr int kOutputChannels = 2;
// 16-bit samples (512 stereo frames, about 11.6 ms).
inline constexpr int kFragmentSamples = 1024;
// Every sound starts this long after its play call, in output time.
inline constexpr int kStartLatencyMs = 20;

inline constexpr std::int32_t kUnityRate = 65536;   // 16.16
inline constexpr std::int32_t kUnityVolume = 4096;  // 4.12

// Milliseconds of a monotonic clock.
using Clock = std::function<std::uint32_t()>;
std::uint32_t SystemMilliseconds();

// Sample data in the mixer's own form: 8-bit unsigned or 16-bit signed little-endian, with one
// guard frame past the end so that interpolation at the last frame reads its right neighbour.
struct Sample {
  int hertz = 0;
  int channels = 0;
  int bits = 0;
  int length = 0;
  int bytesPerFrame = 0;
  bool loop = false;
  // The owner holds one; every voice playing it holds one. Released on either thread.
  std::atomic<int> references{1};
  std::vector<std::uint8_t> data;
};

// Null for bits other than 8 and 16, channels other than 1 and 2, or a negative length.
Sample* CreateSample(int length, int bits, int channels, int hertz, const void* data, bool loop);
void RetainSample(Sample* sample);
void ReleaseSample(Sample* sample);

enum VoiceStatus : int {
  kFinished = 0,
  kIdle = 1,
  kPlaying = 2,
  kLooping = 4,
  kPaused = 0x10,
};

struct VoiceParameters {
  std::int32_t rate = kUnityRate;
  std::int32_t volume = kUnityVolume;
  std::int32_t pan = 0;
  std::int32_t depth = 0;
};

// One playing instance of a sample. Voices are recycled, never freed while the mixer runs.
struct Voice {
  // Written by both threads.
  std::atomic<int> status{kIdle};
  std::atomic<int> autoRelease{0};
  // Targets are set on the main thread; the mixer ramps the current values towards them.
  std::atomic<std::int32_t> rateTarget{kUnityRate}, volumeTarget{kUnityVolume};
  std::atomic<std::int32_t> panTarget{0}, depthTarget{0};
  std::atomic<std::int32_t> rateCurrent{kUnityRate}, volumeCurrent{kUnityVolume};

  // Set on the main thread before the voice is handed to the mixer.
  Sample* sample = nullptr;
  std::uint32_t startTime = 0;

  // Mixer thread only.
  std::uint64_t position = 0;  // 32.32, counting samples (frames times channels)
  int startDelay = 0;          // frames of silence before the first sample
  Voice* next = nullptr;

  // Main thread only.
  int handle = 0;
  bool queued = false;  // handed to the mixer; otherwise never seen by it

  // A setter stores the target and, while paused, the current value too, so that a paused
  // voice starts without a ramp.
  void SetRate(std::int32_t rate);
  void SetVolume(std::int32_t volume);
  void SetPan(std::int32_t pan);
  void SetDepth(std::int32_t depth);
  VoiceParameters Targets() const;
  // Targets into both current and target values.
  void Reset(const VoiceParameters& parameters);
};

// With volumes within [-32768, 32767] and pans within [-4096, 4096], as the device saturates
// them, one voice adds at most this much to an accumulator value, either way.
inline constexpr std::int32_t kMaxVoiceContribution = 1 << 22;
// So many voices fit in a 32-bit accumulator, however loud; the mixer adds each such group into
// a 64-bit sum, so that no number of voices overflows.
inline constexpr int kVoicesPerAccumulator =
    std::numeric_limits<std::int32_t>::max() / kMaxVoiceContribution;

// Mixes one voice into n accumulator values (n / 2 frames). Returns -1 finished (recycle),
// 1 stopped or just ended, -2 paused, 0 still playing.
int MixVoice(Voice& voice, std::int32_t* accumulator, int n);

// Single producer, single consumer; the indices count up and wrap with the integer.
template <class T, std::uint32_t N>
class SpscRing {
 public:
  bool Push(T item) {
    const std::uint32_t write = write_.load(std::memory_order_relaxed);
    if (write - read_.load(std::memory_order_acquire) == N) return false;
    items_[write % N] = item;
    write_.store(write + 1, std::memory_order_release);
    return true;
  }
  bool Pop(T& item) {
    const std::uint32_t read = read_.load(std::memory_order_relaxed);
    if (read == write_.load(std::memory_order_acquire)) return false;
    item = items_[read % N];
    read_.store(read + 1, std::memory_order_release);
    return true;
  }

 private:
  std::array<T, N> items_{};
  std::atomic<std::uint32_t> read_{0};
  std::atomic<std::uint32_t> write_{0};
};

class Mixer {
 public:
  explicit Mixer(int fragmentSamples = kFragmentSamples, Clock clock = SystemMilliseconds);
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  int FragmentSamples() const { return static_cast<int>(accumulator_.size()); }
  std::uint32_t Now() const { return clock_(); }

  // Audio thread: fills FragmentSamples() 16-bit samples.
  void MixFragment(std::int16_t* out);

  // Main thread. Enqueue fails only when the pending ring is full.
  bool Enqueue(Voice* voice);
  Voice* TakeFree();
  // Main thread, with the audio thread stopped: every voice the mixer holds, samples released.
  void Drain();

 private:
  // Adds the group accumulator into the sum and clears it.
  void FoldAccumulator();

  std::vector<std::int32_t> accumulator_;  // the voices of the current group
  std::vector<std::int64_t> sum_;
  Clock clock_;
  Voice* active_ = nullptr;
  SpscRing<Voice*, 4096> pending_;
  SpscRing<Voice*, 4096> free_;
};

}  // namespace corvax::mixer
