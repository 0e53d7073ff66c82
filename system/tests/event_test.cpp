#include <gtest/gtest.h>

#include <corvax/system/event.h>
#include <corvax/system/hook.h>

namespace corvax {
namespace {

TEST(EventText, NamesTheEventAndListsItsFields) {
  EXPECT_EQ(MakeEvent(EventId::KeyDown, nullptr, 65, 1)->ToString(),
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

TEST(EventText, EveryEnumeratedIdHasItsName) {
  const std::pair<int, const char16_t*> names[] = {
      {257, u"AppSuspend"},     {258, u"AppResume"},        {259, u"AppTerminate"},
      {260, u"AppOpenFile"},    {513, u"KeyDown"},          {514, u"KeyUp"},
      {515, u"KeyChar"},        {516, u"KeyRepeat"},        {1025, u"MouseDown"},
      {1026, u"MouseUp"},       {1027, u"MouseMove"},       {1028, u"MouseWheel"},
      {1029, u"MouseEnter"},    {1030, u"MouseLeave"},      {2049, u"TimerTick"},
      {8193, u"GadgetAction"},  {8194, u"GadgetPaint"},     {8195, u"GadgetSelect"},
      {8196, u"GadgetMenu"},    {8197, u"GadgetOpen"},      {8198, u"GadgetClose"},
      {8199, u"GadgetDone"},    {8200, u"GadgetLostFocus"}, {16385, u"WindowMove"},
      {16386, u"WindowSize"},   {16387, u"WindowClose"},    {16388, u"WindowActivate"},
      {16389, u"WindowAccept"}, {32769, u"MenuAction"},
  };
  for (const auto& [id, name] : names) EXPECT_EQ(EventName(id), name) << id;
  EXPECT_EQ(EventName(261), u"Unknown Event, id=261");
  EXPECT_EQ(EventName(-1), u"Unknown Event, id=-1");
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
