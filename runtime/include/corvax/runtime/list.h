#pragma once
/// @file
/// @ingroup runtime
/// A doubly linked list of objects. Links stay valid after removal, so a loop may remove the
/// element it stands on.
#include <vector>

#include <corvax/runtime/object.h>

namespace corvax {

class TList;

/// One element's place in a TList; it keeps its value after removal.
class TLink : public Object {
 public:
  /// @return The element; a removed link keeps it.
  const Ref<Object>& Value() const { return value_; }
  /// @return The next link; Null at either end of the list, and for a removed link.
  /// @sa PrevLink
  Ref<TLink> NextLink() const;
  /// @return The previous link; Null at the start of the list, and for a removed link.
  /// @sa NextLink
  Ref<TLink> PrevLink() const;
  /// Takes the link out of its list; a second call does nothing.
  void Remove();

 private:
  friend class TList;
  explicit TLink(Ref<Object> value) : value_(std::move(value)) {}
  Ref<Object> value_;
  Ref<TLink> next_;
  TLink* prev_ = nullptr;
  TList* list_ = nullptr;
};

/// A doubly linked list of objects (Null elements allowed); serialisable.
class TList : public Object {
 public:
  /// Walks the values in order, passing over links removed meanwhile.
  class Iterator {
   public:
    /// Starts at link.
    /// @param link The first link; Null is the end.
    explicit Iterator(Ref<TLink> link) : link_(std::move(link)) { SkipRemoved(); }
    /// @return The value at this place.
    const Ref<Object>& operator*() const { return link_->Value(); }
    /// Moves to the next link still in the list.
    /// @return This iterator.
    Iterator& operator++() {
      link_ = link_->next_;
      SkipRemoved();
      return *this;
    }
    /// @param other Another iterator.
    /// @return True at the same link.
    bool operator==(const Iterator& other) const { return link_ == other.link_; }

   private:
    void SkipRemoved() {
      while (link_ && !link_->list_) link_ = link_->next_;
    }
    Ref<TLink> link_;
  };

  TList() = default;
  ~TList() override;

  /// @return True when the list holds no elements.
  bool IsEmpty() const { return count_ == 0; }
  /// @return The number of elements.
  int Count() const { return count_; }

  /// Adds the value at the front.
  /// @param value The element, Null allowed.
  /// @return Its new link.
  /// @sa AddLast, InsertBefore
  Ref<TLink> AddFirst(Ref<Object> value);
  /// Adds the value at the back.
  /// @param value The element, Null allowed.
  /// @return Its new link.
  /// @sa AddFirst, InsertAfter
  Ref<TLink> AddLast(Ref<Object> value);
  /// Adds the value before link. A link of another list throws TRuntimeException.
  /// @param link A link of this list.
  /// @param value The element, Null allowed.
  /// @return The new link.
  /// @sa InsertAfter
  Ref<TLink> InsertBefore(const Ref<TLink>& link, Ref<Object> value);
  /// Adds the value after link. A link of another list throws TRuntimeException.
  /// @param link A link of this list.
  /// @param value The element, Null allowed.
  /// @return The new link.
  /// @sa InsertBefore
  Ref<TLink> InsertAfter(const Ref<TLink>& link, Ref<Object> value);
  /// @return The first link; Null when empty.
  /// @sa LastLink, TLink::NextLink
  Ref<TLink> FirstLink() const { return first_; }
  /// @return The last link; Null when empty.
  /// @sa FirstLink, TLink::PrevLink
  Ref<TLink> LastLink() const { return Ref<TLink>(last_); }

  /// @return The first element; Null when the list is empty.
  /// @sa Last, RemoveFirst
  Ref<Object> First() const;
  /// @return The last element; Null when the list is empty.
  /// @sa First, RemoveLast
  Ref<Object> Last() const;
  /// Removes the first element.
  /// @return The element; Null when the list is empty.
  /// @sa RemoveLast
  Ref<Object> RemoveFirst();
  /// Removes the last element.
  /// @return The element; Null when the list is empty.
  /// @sa RemoveFirst
  Ref<Object> RemoveLast();

  /// @param value The value to look for.
  /// @return The first link whose value compares equal to the value; Null when there is none.
  /// @sa Contains
  Ref<TLink> FindLink(const Ref<Object>& value) const;
  /// @param value The value to look for.
  /// @return True when some element compares equal to the value.
  /// @sa FindLink
  bool Contains(const Ref<Object>& value) const { return !FindLink(value).IsNull(); }
  /// Removes the first equal value.
  /// @param value The value to remove.
  /// @return False when there is none.
  /// @sa TLink::Remove
  bool Remove(const Ref<Object>& value);
  /// Throws TArrayBoundsException outside 0..Count()-1.
  /// @param index The element's position, 0 first.
  /// @return The element.
  Ref<Object> ValueAtIndex(int index) const;
  /// Removes every element.
  void Clear();
  /// @return The elements in order.
  std::vector<Ref<Object>> ToArray() const;

  /// Range-for iteration over the values.
  /// @return An iterator at the first value.
  Iterator begin() const { return Iterator(first_); }
  /// @return The iterator past the last value.
  Iterator end() const { return Iterator(nullptr); }

 private:
  friend class TLink;
  void Unlink(TLink* link);
  Ref<TLink> Link(Ref<TLink> link, TLink* after);
  Ref<TLink> first_;
  TLink* last_ = nullptr;
  int count_ = 0;
};

}  // namespace corvax
