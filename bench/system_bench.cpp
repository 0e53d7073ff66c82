// Events made, broadcast through four listeners into the event queue and taken back out,
// beside the same work done with plain C++ (a heap record, four indirect calls, a deque).
#include <benchmark/benchmark.h>

#include <deque>
#include <memory>

#include <corvax/system/system_module.h>

namespace {

using namespace corvax;

Ref<Object> PassOn(int, const Ref<Object>& data, const Ref<Object>&) {
  return data;
}

void BroadcastThroughFourHooksAndQueue(benchmark::State& state) {
  StartupSystemModule();
  for (int priority = 1; priority <= 4; ++priority) {
    InstallHook(EventHookId(), &PassOn, nullptr, priority);
  }
  const auto source = New<TList>();
  int total = 0;
  for (auto _ : state) {
    BroadcastEvent(MakeEvent(EventId::KeyDown, source, KEY_A, MODIFIER_SHIFT, 10, 20));
    total += NextEvent();
  }
  benchmark::DoNotOptimize(total);
  state.SetItemsProcessed(state.iterations());
  for (int priority = 1; priority <= 4; ++priority) UninstallHook(EventHookId(), &PassOn, nullptr);
}
BENCHMARK(BroadcastThroughFourHooksAndQueue);

struct PlainEvent {
  int id, data, mods, x, y;
  std::shared_ptr<int> source;
};
using PlainListener = const PlainEvent* (*)(const PlainEvent*);
const PlainEvent* PlainPassOn(const PlainEvent* event) {
  return event;
}

void BaselinePlainRecordsThroughFourCallsAndDeque(benchmark::State& state) {
  PlainListener volatile listeners[4] = {&PlainPassOn, &PlainPassOn, &PlainPassOn, &PlainPassOn};
  std::deque<std::unique_ptr<PlainEvent>> queue;
  const auto source = std::make_shared<int>(0);
  int total = 0;
  for (auto _ : state) {
    auto event = std::make_unique<PlainEvent>(PlainEvent{513, 65, 1, 10, 20, source});
    const PlainEvent* data = event.get();
    for (PlainListener listener : listeners) data = listener(data);
    benchmark::DoNotOptimize(data);
    queue.push_back(std::move(event));
    total += queue.front()->id;
    queue.pop_front();
  }
  benchmark::DoNotOptimize(total);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BaselinePlainRecordsThroughFourCallsAndDeque);

}  // namespace
