#include <corvax/runtime/handles.h>
#include <corvax/runtime/immortal.h>

#include <unordered_map>

namespace corvax {
namespace {

struct HandleTable {
  std::unordered_map<int, Ref<Object>> objects;
  int last = 0;
};

HandleTable& Table() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const table = &MakeImmortal<HandleTable>();
  return *table;
}

}  // namespace

int HandleFromObject(const Ref<Object>& object) {
  if (!object) return 0;
  auto& table = Table();
  do {
    table.last = table.last == 0x7FFFFFFF ? 1 : table.last + 1;
  } while (table.objects.count(table.last));
  table.objects.emplace(table.last, object);
  return table.last;
}

Ref<Object> HandleToObject(int handle) {
  const auto& objects = Table().objects;
  const auto found = objects.find(handle);
  return found == objects.end() ? Ref<Object>() : found->second;
}

void ReleaseHandle(int handle) {
  Table().objects.erase(handle);
}

}  // namespace corvax
