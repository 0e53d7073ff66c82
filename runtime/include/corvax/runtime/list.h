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
  /// The element.
  const Ref<Object>& Value() const { return value_; }
  /// Null at either end of the list, and for a removed link.
  Ref<TLink> NextLink() const;
  /// Null at the start of the list, and for a removed link.
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
    /// Starts at link; Null is the end.
    explicit Iterator(Ref<TLink> link) : link_(std::move(link)) { SkipRemoved(); }
    /// The value at this place.
    const Ref<Object>& operator*() const { return link_->Value(); }
    /// Moves to the next link still in the list.
    Iterator& operator++() {
      link_ = link_->next_;
      SkipRemoved();
      return *this;
    }
    /// True at the same link.
    bool operator==(const Iterator& other) const { return link_ == other.link_; }

   private:
    void SkipRemoved() {
      while (link_ && !link_->list_) link_ = link_->next_;
    }
    Ref<TLink> link_;
  };

  TList() = default;
  ~TList() override;

  /// True when the list holds no elements.
  bool IsEmpty() const { return count_ == 0; }
  /// The number of elements.
  int Count() const { return count_; }

  /// Adds the value at the front; returns its new link.
  Ref<TLink> AddFirst(Ref<Object> value);
  /// Adds the value at the back; returns its new link.
  Ref<TLink> AddLast(Ref<Object> value);
  /// Adds the value before link, returns the new link. A link of another list
  /// throws TRuntimeException.
  Ref<TLink> InsertBefore(const Ref<TLink>& link, Ref<Object> value);
  /// Adds the value after link, returns the new link. A link of another list
  /// throws TRuntimeException.
  Ref<TLink> InsertAfter(const Ref<TLink>& link, Ref<Object> value);
  /// The first link; Null when empty.
  Ref<TLink> FirstLink() const { return first_; }
  /// The last link; Null when empty.
  Ref<TLink> LastLink() const { return Ref<TLink>(last_); }

  /// Null when the list is empty.
  Ref<Object> First() const;
  /// Null when the list is empty.
  Ref<Object> Last() const;
  /// Removes and returns the first element; Null when the list is empty.
  Ref<Object> RemoveFirst();
  /// Removes and returns the last element; Null when the list is empty.
  Ref<Object> RemoveLast();

  /// The first link whose value compares equal to the value.
  Ref<TLink> FindLink(const Ref<Object>& value) const;
  /// True when some element compares equal to the value.
  bool Contains(const Ref<Object>& value) const { return !FindLink(value).IsNull(); }
  /// Removes the first equal value; false when there is none.
  bool Remove(const Ref<Object>& value);
  /// Throws TArrayBoundsException outside 0..Count()-1.
  Ref<Object> ValueAtIndex(int index) const;
  /// Removes every element.
  void Clear();
  /// The elements in order.
  std::vector<Ref<Object>> ToArray() const;

  /// Range-for iteration over the values.
  ///@{
  Iterator begin() const { return Iterator(first_); }
  Iterator end() const { return Iterator(nullptr); }
  ///@}

 private:
  friend class TLink;
  void Unlink(TLink* link);
  Ref<TLink> Link(Ref<TLink> link, TLink* after);
  Ref<TLink> first_;
  TLink* last_ = nullptr;
  int count_ = 0;
};

}  // namespace corvax
