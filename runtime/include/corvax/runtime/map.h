#pragma once
/// @file
/// An ordered map of key and value objects, ordered by the keys' Compare.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupRuntimeModule() for this module
/// alone, before any other call.
#include <map>
#include <vector>

#include <corvax/runtime/object.h>

namespace corvax {

struct CompareLess {
  bool operator()(const Ref<Object>& a, const Ref<Object>& b) const { return Compare(a, b) < 0; }
};

class TMap : public Object {
 public:
  using Entries = std::map<Ref<Object>, Ref<Object>, CompareLess>;

  bool IsEmpty() const { return entries_.empty(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  /// Replaces the value of an equal key.
  void Insert(const Ref<Object>& key, Ref<Object> value) { entries_[key] = std::move(value); }
  /// Null when the key is absent.
  Ref<Object> ValueForKey(const Ref<Object>& key) const;
  bool Contains(const Ref<Object>& key) const { return entries_.count(key) != 0; }
  bool Remove(const Ref<Object>& key) { return entries_.erase(key) != 0; }
  void Clear() { entries_.clear(); }
  std::vector<Ref<Object>> Keys() const;
  std::vector<Ref<Object>> Values() const;

  Entries::const_iterator begin() const { return entries_.begin(); }
  Entries::const_iterator end() const { return entries_.end(); }

 private:
  Entries entries_;
};

}  // namespace corvax
