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
  /// @param a One key.
  /// @param b The other key.
  /// @return True when a orders before b.
  bool operator()(const Ref<Object>& a, const Ref<Object>& b) const { return Compare(a, b) < 0; }
};

/// An ordered map from key objects to value objects; keys equal by Compare are one key.
class TMap : public Object {
 public:
  /// The entries, ordered by key.
  using Entries = std::map<Ref<Object>, Ref<Object>, CompareLess>;

  /// @return True when the map holds no entries.
  bool IsEmpty() const { return entries_.empty(); }
  /// @return The number of entries.
  int Count() const { return static_cast<int>(entries_.size()); }
  /// Adds an entry, replacing the value of an equal key.
  /// @param key The key.
  /// @param value The value.
  /// @sa ValueForKey
  void Insert(const Ref<Object>& key, Ref<Object> value) { entries_[key] = std::move(value); }
  /// @param key The key to look up.
  /// @return The key's value; Null when the key is absent.
  /// @sa Insert, Contains
  Ref<Object> ValueForKey(const Ref<Object>& key) const;
  /// @param key The key to look up.
  /// @return True when an equal key is present.
  bool Contains(const Ref<Object>& key) const { return entries_.count(key) != 0; }
  /// Removes the entry of an equal key.
  /// @param key The key to remove.
  /// @return False when there is none.
  bool Remove(const Ref<Object>& key) { return entries_.erase(key) != 0; }
  /// Removes every entry.
  void Clear() { entries_.clear(); }
  /// @return The keys in order.
  /// @sa Values
  std::vector<Ref<Object>> Keys() const;
  /// @return The values in key order.
  /// @sa Keys
  std::vector<Ref<Object>> Values() const;

  /// Iteration over (key, value) pairs in key order.
  /// @return An iterator at the first entry.
  Entries::const_iterator begin() const { return entries_.begin(); }
  /// @return The iterator past the last entry.
  Entries::const_iterator end() const { return entries_.end(); }

 private:
  Entries entries_;
};

}  // namespace corvax
