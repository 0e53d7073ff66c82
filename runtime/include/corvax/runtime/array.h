#pragma once
/// @file
/// @ingroup runtime
/// A bounds-checked array for code whose behaviour depends on the check.
#include <cstddef>
#include <initializer_list>
#include <vector>

#include <corvax/runtime/exceptions.h>

namespace corvax {

/// A value array whose indexing throws TArrayBoundsException instead of reading past its ends.
template <class T>
class Array {
 public:
  Array() = default;
  /// length value-initialised items.
  explicit Array(std::size_t length) : items_(length) {}
  /// The items given, in order.
  Array(std::initializer_list<T> items) : items_(items) {}
  /// Takes over the vector's items.
  explicit Array(std::vector<T> items) : items_(std::move(items)) {}

  /// Throws TArrayBoundsException outside 0..Length()-1.
  T& operator[](std::ptrdiff_t index) {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
  }
  /// Throws TArrayBoundsException outside 0..Length()-1.
  const T& operator[](std::ptrdiff_t index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
  }

  /// The number of items.
  int Length() const noexcept { return static_cast<int>(items_.size()); }
  /// True when there are no items.
  bool empty() const noexcept { return items_.empty(); }
  /// The number of items, for standard algorithms.
  std::size_t size() const noexcept { return items_.size(); }
  /// The first item's address, unchecked; null when empty.
  ///@{
  T* data() noexcept { return items_.data(); }
  const T* data() const noexcept { return items_.data(); }
  ///@}
  /// Unchecked iteration over the items, for range-for loops and algorithms.
  ///@{
  auto begin() noexcept { return items_.begin(); }
  auto end() noexcept { return items_.end(); }
  auto begin() const noexcept { return items_.begin(); }
  auto end() const noexcept { return items_.end(); }
  ///@}
  /// Grows with value-initialised items or drops items from the end.
  void Resize(std::size_t length) { items_.resize(length); }
  /// The items as a vector.
  ///@{
  const std::vector<T>& Items() const noexcept { return items_; }
  std::vector<T>& Items() noexcept { return items_; }
  ///@}

  /// True when both hold equal items in the same order.
  bool operator==(const Array&) const = default;

 private:
  void CheckIndex(std::ptrdiff_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
      throw TArrayBoundsException();
  }
  std::vector<T> items_;
};

}  // namespace corvax
