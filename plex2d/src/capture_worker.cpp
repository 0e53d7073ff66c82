#include "capture_worker.h"

#include <exception>
#include <utility>

namespace corvax {
namespace {

// An exception may not leave the worker's thread (that ends the process): one thrown while
// encoding fails that frame with its text as the reason.
template <class Work>
bool Guarded(Work work, std::string& error) {
  try {
    return work();
  } catch (const std::exception& failure) {
    error = failure.what();
  } catch (...) {
    error = "an exception that is not a std::exception";
  }
  return false;
}

}  // namespace

CaptureWorker::CaptureWorker(Encoder encoder, Finisher finisher)
    : encoder_(std::move(encoder)), finisher_(std::move(finisher)), thread_([this] { Run(); }) {}

CaptureWorker::~CaptureWorker() {
  Finish();
}

void CaptureWorker::Submit(Ref<TPixmap> frame, int index) {
  if (frame->ReferenceCount() != 1) frame = PixmapCopy(frame);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return jobs_.size() < kMaxWaiting; });
  jobs_.push_back({std::move(frame), index});
  changed_.notify_all();
}

std::vector<CaptureWorker::Result> CaptureWorker::TakeResults() {
  std::lock_guard lock(mutex_);
  return std::exchange(results_, {});
}

std::vector<CaptureWorker::Result> CaptureWorker::Finish() {
  {
    std::lock_guard lock(mutex_);
    finishing_ = true;
    changed_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
  return TakeResults();
}

void CaptureWorker::Run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !jobs_.empty() || finishing_; });
      if (jobs_.empty()) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      changed_.notify_all();
    }
    Result result;
    result.index = job.index;
    result.ok =
        Guarded([&] { return encoder_(*job.frame, result.bytes, result.error); }, result.error);
    job.frame = nullptr;  // the last reference, released on this thread
    std::lock_guard lock(mutex_);
    results_.push_back(std::move(result));
  }
  Result last;
  last.index = -1;
  last.ok = Guarded([&] { return finisher_(last.bytes, last.error); }, last.error);
  std::lock_guard lock(mutex_);
  results_.push_back(std::move(last));
}

}  // namespace corvax
