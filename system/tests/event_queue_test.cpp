#include <gtest/gtest.h>

#include <corvax/system/event_queue.h>
#include <corvax/system/hook.h>
#include <corvax/system/key_codes.h>
#include "event_ring.h"

#include "fake_driver.h"

namespace corvax {
namespace {

using testing::InstallFakeDriver;

TEST(EventRing, MergesOnlyTheSameIdAndSourceAndKeepsThePlace) {
  TEventRing ring;
  const auto timerA = New<TEvent>();
  const auto timerB = New<TEvent>();
  ring.Put(MakeEvent(EventId::TimerTick, timerA, 1), true);
  ring.Put(MakeEvent(EventId::KeyDown, nullptr, KEY_A), true);
  ring.Put(MakeEvent(EventId::TimerTick, timerB, 1), true);
  ring.Put(MakeEvent(EventId::TimerTick, timerA, 2, 3, 4, 5, Box(u"late")), true);
  ASSERT_EQ(ring.Count(), 3);
  const Ref<TEvent> first = ring.Take();
  EXPECT_TRUE(first->source == timerA);
  EXPECT_EQ(first->data, 2);
  EXPECT_EQ(first->mods, 3);
  EXPECT_EQ(first->x, 4);
  EXPECT_EQ(first->y, 5);
  EXPECT_EQ(UnboxString(first->extra), u"late");
  EXPECT_EQ(ring.Take()->id, 513);
  EXPECT_TRUE(ring.Take()->source == timerB);
  EXPECT_FALSE(ring.Take());
}

TEST(EventRing, WithoutMergeEqualEventsAreAllKept) {
  TEventRing ring;
  const Ref<TEvent> key = MakeEvent(EventId::KeyDown, nullptr, KEY_A);
  ring.Put(key, false);
  ring.Put(key, false);
  ring.Put(MakeEvent(EventId::KeyDown, nullptr, KEY_A), false);
  EXPECT_EQ(ring.Count(), 3);
}

TEST(EventRing, A257thEventIsDroppedAndTheOthersKeepTheirOrder) {
  TEventRing ring;
  for (int i = 0; i < 300; ++i) ring.Put(MakeEvent(EventId::KeyChar, nullptr, i), false);
  ASSERT_EQ(ring.Count(), 256);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(ring.Take()->data, i);
  EXPECT_FALSE(ring.Peek());
  // Merging into a full ring still works: it adds nothing.
  for (int i = 0; i < 256; ++i) ring.Put(MakeEvent(EventId::TimerTick, nullptr, i), i == 0);
  ring.Put(MakeEvent(EventId::TimerTick, nullptr, 999), true);
  EXPECT_EQ(ring.Count(), 256);
  EXPECT_EQ(ring.Take()->data, 999);
}

TEST(EventRing, KeepsWorkingAcrossManyRoundsOfTheSlots) {
  TEventRing ring;
  for (int i = 0; i < 100000; ++i) {
    ring.Put(MakeEvent(EventId::KeyUp, nullptr, i), false);
    ring.Put(MakeEvent(EventId::KeyUp, nullptr, i + 1), false);
    ASSERT_EQ(ring.Take()->data, i);
    ASSERT_EQ(ring.Take()->data, i + 1);
  }
  EXPECT_EQ(ring.Count(), 0);
  ring.Put(nullptr, false);
  EXPECT_EQ(ring.Count(), 0);
}

TEST(EventQueue, BroadcastEventsQueueWithTimerTicksOfOneTimerMerged) {
  InstallFakeDriver();
  const auto timer = New<TEvent>();
  BroadcastEvent(MakeEvent(EventId::TimerTick, timer, 1));
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_A));
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_A));
  BroadcastEvent(MakeEvent(EventId::TimerTick, timer, 2));
  BroadcastEvent(MakeEvent(EventId::WindowSize, timer, 1));
  BroadcastEvent(MakeEvent(EventId::WindowSize, timer, 2));
  EXPECT_EQ(NextEvent(), 2049);
  EXPECT_EQ(ActiveEventData(), 2);
  EXPECT_TRUE(ActiveEventSource() == timer);
  EXPECT_EQ(NextEvent(), 513);
  EXPECT_EQ(NextEvent(), 513);
  EXPECT_EQ(NextEvent(), 16386);
  EXPECT_EQ(ActiveEventData(), 2);
  EXPECT_EQ(NextEvent(), 0);
}

TEST(EventQueue, EmptyQueuePumpsOnceThenGivesTheEmptyEvent) {
  const auto driver = InstallFakeDriver();
  BroadcastEvent(MakeEvent(EventId::KeyChar, nullptr, u'a', 0, 0, 0, Box(u"a")));
  EXPECT_EQ(NextEvent(), static_cast<int>(EventId::KeyChar));
  EXPECT_EQ(ActiveEventText(), u"a");
  EXPECT_EQ(driver->pumps, 0);
  EXPECT_EQ(NextEvent(), 0);
  EXPECT_EQ(driver->pumps, 1);
  EXPECT_EQ(ActiveEventId(), 0);
  EXPECT_EQ(ActiveEventText(), u"");
  EXPECT_FALSE(ActiveEventSource());
  EXPECT_EQ(ActiveEventSourceHandle(), 0);
  // What a pump delivers is taken by the same call.
  driver->Deliver({MakeEvent(EventId::MouseWheel, nullptr, -1)});
  EXPECT_EQ(NextEvent(), 1028);
  EXPECT_EQ(ActiveEventData(), -1);
}

TEST(EventQueue, PeekLeavesTheEventAndAccessorsReadTheActiveOne) {
  const auto driver = InstallFakeDriver();
  EXPECT_FALSE(PeekNextEvent());
  EXPECT_EQ(driver->pumps, 1);
  const auto source = New<TList>();
  BroadcastEvent(MakeEvent(EventId::MouseUp, source, 3, 2, 40, 50, New<TList>()));
  ASSERT_TRUE(PeekNextEvent());
  EXPECT_EQ(PeekNextEvent()->id, 1026);
  EXPECT_EQ(NextEvent(), 1026);
  EXPECT_EQ(ActiveEventData(), 3);
  EXPECT_EQ(ActiveEventMods(), 2);
  EXPECT_EQ(ActiveEventX(), 40);
  EXPECT_EQ(ActiveEventY(), 50);
  EXPECT_TRUE(ActiveEventExtra());
  EXPECT_EQ(ActiveEventText(), u"");
  const int handle = ActiveEventSourceHandle();
  EXPECT_TRUE(HandleToObject(handle) == source);
  ReleaseHandle(handle);
}

TEST(EventQueue, AwaitEventWaitsUntilSomethingArrives) {
  const auto driver = InstallFakeDriver();
  driver->Deliver({});
  driver->Deliver({});
  driver->Deliver({MakeEvent(EventId::AppTerminate)});
  EXPECT_EQ(AwaitEvent(), 259);
  EXPECT_EQ(driver->awaits, 3);
}

int listenerSawQueueLength = -1;
Ref<Object> CountQueued(int, const Ref<Object>& data, const Ref<Object>&) {
  listenerSawQueueLength = PeekNextEvent() ? 1 : 0;
  return data;
}

TEST(EventQueue, OrdinaryListenersSeeAnEventBeforeTheQueueDoes) {
  InstallFakeDriver();
  InstallHook(EventHookId(), &CountQueued, nullptr, 0);
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_A));
  EXPECT_EQ(listenerSawQueueLength, 0);
  UninstallHook(EventHookId(), &CountQueued, nullptr);
}

TEST(EventQueue, NonEventsAreNotQueued) {
  InstallFakeDriver();
  while (NextEvent() != 0) {
  }
  RunHookChain(EventHookId(), Box(u"not an event"));
  RunHookChain(EventHookId(), nullptr);
  QueueEvent(nullptr, true);
  EXPECT_EQ(NextEvent(), 0);
}

}  // namespace
}  // namespace corvax
