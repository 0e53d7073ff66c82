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
  /// An array of length value-initialised items.
  /// @param length The number of items.
  explicit Array(std::size_t length) : items_(length) {}
  /// The items given, in order.
  /// @param items The items.
  Array(std::initializer_list<T> items) : items_(items) {}
  /// Takes over the vector's items.
  /// @param items The items.
  explicit Array(std::vector<T> items) : items_(std::move(items)) {}

  /// Throws TArrayBoundsException outside 0..Length()-1.
  /// @param index The item's index.
  /// @return The item.
  T& operator[](std::ptrdiff_t index) {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
  }
  /// Throws TArrayBoundsException outside 0..Length()-1.
  /// @param index The item's index.
  /// @return The item.
  const T& operator[](std::ptrdiff_t index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
  }

  /// @return The number of items.
  /// @sa size
  int Length() const noexcept { return static_cast<int>(items_.size()); }
  /// @return True when there are no items.
  bool empty() const noexcept { return items_.empty(); }
  /// @return The number of items, for standard algorithms.
  /// @sa Length
  std::size_t size() const noexcept { return items_.size(); }
  /// @return The first item's address, unchecked; null when empty.
  T* data() noexcept { return items_.data(); }
  /// @return The first item's address, unchecked; null when empty.
  const T* data() const noexcept { return items_.data(); }
  /// Unchecked iteration over the items, for range-for loops and algorithms.
  /// @return An iterator at the first item.
  auto begin() noexcept { return items_.begin(); }
  /// @return An iterator past the last item, unchecked.
  auto end() noexcept { return items_.end(); }
  /// @return A constant iterator at the first item, unchecked.
  auto begin() const noexcept { return items_.begin(); }
  /// @return A constant iterator past the last item, unchecked.
  auto end() const noexcept { return items_.end(); }
  /// Grows with value-initialised items or drops items from the end.
  /// @param length The new number of items.
  void Resize(std::size_t length) { items_.resize(length); }
  /// @return The items as a vector.
  const std::vector<T>& Items() const noexcept { return items_; }
  /// @return The items as a vector, for changing them.
  std::vector<T>& Items() noexcept { return items_; }

  /// @return True when both hold equal items in the same order.
  bool operator==(const Array&) const = default;

 private:
  void CheckIndex(std::ptrdiff_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
      throw TArrayBoundsException();
  }
  std::vector<T> items_;
};

}  // namespace corvax
