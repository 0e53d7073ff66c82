#pragma once
// Encodes captured frames on a thread of its own, so that a capture costs the drawing thread
// little more than reading the back buffer. What crosses between the threads is a pixmap that
// only one thread holds at a time (moved, never shared: reference counts are not atomic) and
// plain bytes.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <corvax/pixmap/pixmap.h>

namespace corvax {

class CaptureWorker {
 public:
  // Run on the worker. The bytes of one frame, or false with the reason.
  using Encoder = std::function<bool(const TPixmap& frame, std::vector<std::uint8_t>& bytes,
                                     std::string& error)>;
  // Run on the worker after the last frame: the bytes that end the file.
  using Finisher = std::function<bool(std::vector<std::uint8_t>& bytes, std::string& error)>;

  struct Result {
    int index = 0;  // the frame's, or -1 for the finisher's bytes
    bool ok = true;
    std::vector<std::uint8_t> bytes;
    std::string error;
  };

  CaptureWorker(Encoder encoder, Finisher finisher);
  CaptureWorker(const CaptureWorker&) = delete;
  CaptureWorker& operator=(const CaptureWorker&) = delete;
  ~CaptureWorker();

  // Hands a frame over; waits while the worker is kMaxWaiting frames behind, so that no frame is
  // ever dropped. A pixmap someone else also holds is copied first.
  void Submit(Ref<TPixmap> frame, int index);
  // What is encoded so far, in order.
  std::vector<Result> TakeResults();
  // Waits until every frame and the finisher are encoded, ends the thread and gives the rest.
  std::vector<Result> Finish();

 private:
  static constexpr std::size_t kMaxWaiting = 4;
  struct Job {
    Ref<TPixmap> frame;
    int index = 0;
  };
  void Run();

  Encoder encoder_;
  Finisher finisher_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  std::vector<Result> results_;
  bool finishing_ = false;
  std::thread thread_;
};

}  // namespace corvax
