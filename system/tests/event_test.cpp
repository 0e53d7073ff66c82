#include <gtest/gtest.h>

#include <corvax/system/event.h>
#include <corvax/system/hook.h>
#include <corvax/system/key_codes.h>

namespace corvax {
namespace {

TEST(EventText, NamesTheEventAndListsItsFields) {
  EXPECT_EQ(MakeEvent(EventId::KeyDown, nullptr, KEY_A, 1)->ToString(),
            u"KeyDown: data=65, mods=1, x=0, y=0, extra=\"\"");
  EXPECT_EQ(MakeEvent(EventId::MouseMove, nullptr, 0, 0, -3, 7, Box(u"hi"))->ToString(),
            u"MouseMove: data=0, mods=0, x=-3, y=7, extra=\"hi\"");
  // An extra that is not a String prints as empty.
  EXPECT_EQ(
      MakeEvent(EventId::AppTerminate, nullptr, -2147483647 - 1, 0, 0, 0, MakeEvent(EventId::KeyUp))
          ->ToString(),
      u"AppTerminate: data=-2147483648, mods=0, x=0, y=0, extra=\"\"");
  EXPECT_EQ(New<TEvent>()->ToString().substr(0, 22), u"Unknown Event, id=0: d");
  EXPECT_EQ(MakeEvent(12345)->ToString(),
            u"Unknown Event, id=12345: data=0, mods=0, x=0, y=0, extra=\"\"");
}

Ref<Object> Collect(int, const Ref<Object>& data, const Ref<Object>& context) {
  Cast<TList>(context)->AddLast(data);
  return data;
}

TEST(Events, BroadcastRunsTheEventHookChainWithTheEventItself) {
  auto seen = New<TList>();
  InstallHook(EventHookId(), &Collect, seen, 0);
  const auto source = New<TList>();
  const Ref<TEvent> event = MakeEvent(EventId::MouseDown, source, 2, 4, 10, 20, Box(u"x"));
  BroadcastEvent(event);
  ASSERT_EQ(seen->Count(), 1);
  EXPECT_TRUE(seen->First() == event);
  EXPECT_EQ(event->id, 1025);
  EXPECT_TRUE(event->source == source);
  EXPECT_EQ(event->data, 2);
  EXPECT_EQ(event->mods, 4);
  EXPECT_EQ(event->x, 10);
  EXPECT_EQ(event->y, 20);
  EXPECT_EQ(UnboxString(event->extra), u"x");
  EXPECT_TRUE(event->id == EventId::MouseDown);
  UninstallHook(EventHookId(), &Collect, seen);
}

}  // namespace
}  // namespace corvax
