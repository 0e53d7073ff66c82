#include <corvax/runtime/immortal.h>
#include <corvax/runtime/start_once.h>
#include <corvax/system/hook.h>

namespace corvax {
namespace {

struct HookRegistry {
  Array<Ref<THook>> heads{kHookIdCount};
  int lastId = -1;
};

HookRegistry& Registry() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const registry = &MakeImmortal<HookRegistry>();
  return *registry;
}

}  // namespace

int AllocateHookId() {
  auto& registry = Registry();
  // The counter keeps advancing, so every call after exhaustion throws too.
  if (++registry.lastId >= kHookIdCount) throw TThrownString(u"Too many hook ids");
  return registry.lastId;
}

void InstallHook(int id, HookFunction function, const Ref<Object>& context, int priority) {
  Ref<THook>& head = Registry().heads[id];
  auto hook = New<THook>();
  hook->function = function;
  hook->context = context;
  hook->priority = priority;
  THook* passed = nullptr;
  for (THook* current = head.get(); current && current->priority >= priority;
       current = current->next.get()) {
    passed = current;
  }
  Ref<THook>& link = passed ? passed->next : head;
  hook->next = link;
  link = hook;
}

void UninstallHook(int id, HookFunction function, const Ref<Object>& context) {
  Ref<THook>* link = &Registry().heads[id];
  while (*link) {
    THook* hook = link->get();
    if (hook->function == function && hook->context == context) {
      // The unlinked hook keeps its next, so a chain running through it goes on.
      *link = Ref<THook>(hook->next);
      return;
    }
    link = &hook->next;
  }
}

Ref<Object> RunHookChain(int id, Ref<Object> data) {
  // Holding the current hook lets a function uninstall itself while it runs.
  for (Ref<THook> hook = Registry().heads[id]; hook; hook = Ref<THook>(hook->next)) {
    if (!hook->function) throw TNullFunctionException();
    data = hook->function(id, data, hook->context);
  }
  return data;
}

void StartupHookModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupRuntimeModule();
  Registry();
}

}  // namespace corvax
