#pragma once
#include <exception>
#include <utility>

namespace corvax {

// Exceptions must not cross the frames of the C image libraries, which unwind by longjmp and
// would leak their structures. A callback runs its work through Run; on failure it reports
// through the library's own error path, and the caller throws the kept exception again once
// the library's structures are released.
class CallbackGuard {
 public:
  // False when f threw; the exception is kept.
  template <class F>
  bool Run(F&& f) noexcept {
    try {
      std::forward<F>(f)();
      return true;
    } catch (...) {
      failure_ = std::current_exception();
      return false;
    }
  }

  void RethrowIfFailed() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::exception_ptr failure_;
};

}  // namespace corvax
