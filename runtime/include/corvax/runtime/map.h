#pragma once
/// @file
/// @ingroup runtime
/// An ordered map of key and value objects, ordered by the keys' Compare.
#include <map>
#include <vector>

#include <corvax/runtime/object.h>

namespace corvax {

/// Orders keys by Compare, the Null object first.
struct CompareLess {
  /// True when a orders before b.
  bool operator()(const Ref<Object>& a, const Ref<Object>& b) const { return Compare(a, b) < 0; }
};

/// An ordered map from key objects to value objects; keys equal by Compare are one key.
class TMap : public Object {
 public:
  /// The entries, ordered by key.
  using Entries = std::map<Ref<Object>, Ref<Object>, CompareLess>;

  /// True when the map holds no entries.
  bool IsEmpty() const { return entries_.empty(); }
  /// The number of entries.
  int Count() const { return static_cast<int>(entries_.size()); }
  /// Replaces the value of an equal key.
  void Insert(const Ref<Object>& key, Ref<Object> value) { entries_[key] = std::move(value); }
  /// Null when the key is absent.
  Ref<Object> ValueForKey(const Ref<Object>& key) const;
  /// True when an equal key is present.
  bool Contains(const Ref<Object>& key) const { return entries_.count(key) != 0; }
  /// Removes the entry of an equal key; false when there is none.
  bool Remove(const Ref<Object>& key) { return entries_.erase(key) != 0; }
  /// Removes every entry.
  void Clear() { entries_.clear(); }
  /// The keys in order.
  std::vector<Ref<Object>> Keys() const;
  /// The values in key order.
  std::vector<Ref<Object>> Values() const;

  /// Iteration over (key, value) pairs in key order.
  ///@{
  Entries::const_iterator begin() const { return entries_.begin(); }
  Entries::const_iterator end() const { return entries_.end(); }
  ///@}

 private:
  Entries entries_;
};

}  // namespace corvax
