#pragma once
/// @file
/// A bounds-checked array for code whose behaviour depends on the check.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupRuntimeModule() for this module
/// alone, before any other call.
#include <cstddef>
#include <initializer_list>
#include <vector>

#include <corvax/runtime/exceptions.h>

namespace corvax {

template <class T>
class Array {
 public:
  Array() = default;
  explicit Array(std::size_t length) : items_(length) {}
  Array(std::initializer_list<T> items) : items_(items) {}
  explicit Array(std::vector<T> items) : items_(std::move(items)) {}

  /// Throws TArrayBoundsException outside 0..Length()-1.
  T& operator[](std::ptrdiff_t index) {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
  }
  const T& operator[](std::ptrdiff_t index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
  }

  int Length() const noexcept { return static_cast<int>(items_.size()); }
  bool empty() const noexcept { return items_.empty(); }
  std::size_t size() const noexcept { return items_.size(); }
  T* data() noexcept { return items_.data(); }
  const T* data() const noexcept { return items_.data(); }
  auto begin() noexcept { return items_.begin(); }
  auto end() noexcept { return items_.end(); }
  auto begin() const noexcept { return items_.begin(); }
  auto end() const noexcept { return items_.end(); }
  void Resize(std::size_t length) { items_.resize(length); }
  const std::vector<T>& Items() const noexcept { return items_; }
  std::vector<T>& Items() noexcept { return items_; }

  bool operator==(const Array&) const = default;

 private:
  void CheckIndex(std::ptrdiff_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
      throw TArrayBoundsException();
  }
  std::vector<T> items_;
};

}  // namespace corvax
