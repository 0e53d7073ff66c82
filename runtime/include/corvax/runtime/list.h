#pragma once
/// @file
/// A doubly linked list of objects. Links stay valid after removal, so a loop may remove the
/// element it stands on.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupRuntimeModule() for this module
/// alone, before any other call.
#include <vector>

#include <corvax/runtime/object.h>

namespace corvax {

class TList;

class TLink : public Object {
 public:
  const Ref<Object>& Value() const { return value_; }
  /// Null at either end of the list, and for a removed link.
  Ref<TLink> NextLink() const;
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

class TList : public Object {
 public:
  class Iterator {
   public:
    explicit Iterator(Ref<TLink> link) : link_(std::move(link)) { SkipRemoved(); }
    const Ref<Object>& operator*() const { return link_->Value(); }
    Iterator& operator++() {
      link_ = link_->next_;
      SkipRemoved();
      return *this;
    }
    bool operator==(const Iterator& other) const { return link_ == other.link_; }

   private:
    void SkipRemoved() {
      while (link_ && !link_->list_) link_ = link_->next_;
    }
    Ref<TLink> link_;
  };

  TList() = default;
  ~TList() override;

  bool IsEmpty() const { return count_ == 0; }
  int Count() const { return count_; }

  Ref<TLink> AddFirst(Ref<Object> value);
  Ref<TLink> AddLast(Ref<Object> value);
  Ref<TLink> InsertBefore(const Ref<TLink>& link, Ref<Object> value);
  Ref<TLink> InsertAfter(const Ref<TLink>& link, Ref<Object> value);
  Ref<TLink> FirstLink() const { return first_; }
  Ref<TLink> LastLink() const { return Ref<TLink>(last_); }

  /// Null when the list is empty.
  Ref<Object> First() const;
  Ref<Object> Last() const;
  Ref<Object> RemoveFirst();
  Ref<Object> RemoveLast();

  /// The first link whose value compares equal to the value.
  Ref<TLink> FindLink(const Ref<Object>& value) const;
  bool Contains(const Ref<Object>& value) const { return !FindLink(value).IsNull(); }
  /// Removes the first equal value; false when there is none.
  bool Remove(const Ref<Object>& value);
  /// Throws TArrayBoundsException outside 0..Count()-1.
  Ref<Object> ValueAtIndex(int index) const;
  void Clear();
  std::vector<Ref<Object>> ToArray() const;

  Iterator begin() const { return Iterator(first_); }
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
