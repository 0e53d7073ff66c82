#include <corvax/runtime/map.h>

namespace corvax {

Ref<Object> TMap::ValueForKey(const Ref<Object>& key) const {
  const auto found = entries_.find(key);
  return found == entries_.end() ? Ref<Object>() : found->second;
}

std::vector<Ref<Object>> TMap::Keys() const {
  std::vector<Ref<Object>> keys;
  keys.reserve(entries_.size());
  for (const auto& [key, value] : entries_) keys.push_back(key);
  return keys;
}

std::vector<Ref<Object>> TMap::Values() const {
  std::vector<Ref<Object>> values;
  values.reserve(entries_.size());
  for (const auto& [key, value] : entries_) values.push_back(value);
  return values;
}

}  // namespace corvax
