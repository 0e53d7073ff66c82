#include <gtest/gtest.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {
namespace {

std::u16string Joined(const TList& list) {
  std::u16string text;
  for (const auto& value : list) text += UnboxString(value);
  return text;
}

TEST(TList, KeepsOrderAcrossAddsAndInserts) {
  auto list = New<TList>();
  auto b = list->AddLast(Box(u"b"));
  list->AddFirst(Box(u"a"));
  list->InsertAfter(b, Box(u"d"));
  list->InsertAfter(b, Box(u"c"));
  EXPECT_EQ(Joined(*list), u"abcd");
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(UnboxString(list->ValueAtIndex(3)), u"d");
  EXPECT_THROW(list->ValueAtIndex(4), TArrayBoundsException);
  EXPECT_EQ(UnboxString(list->RemoveLast()), u"d");
  EXPECT_EQ(UnboxString(list->RemoveFirst()), u"a");
  EXPECT_EQ(Joined(*list), u"bc");
}

TEST(TList, RemovingTheCurrentElementWhileIteratingVisitsTheRest) {
  auto list = New<TList>();
  for (auto* s : {u"1", u"2", u"3", u"4"}) list->AddLast(Box(s));
  std::u16string seen;
  for (const auto& value : *list) {
    seen += UnboxString(value);
    list->Remove(value);
  }
  EXPECT_EQ(seen, u"1234");
  EXPECT_TRUE(list->IsEmpty());
  EXPECT_TRUE(list->First().IsNull());
  EXPECT_TRUE(list->RemoveFirst().IsNull());
}

TEST(TList, RemovesByComparisonAndLinksDetach) {
  auto list = New<TList>();
  list->AddLast(Box(u"x"));
  auto link = list->AddLast(Box(u"y"));
  EXPECT_TRUE(list->Contains(Box(u"y")));
  EXPECT_TRUE(list->Remove(Box(u"x")));
  EXPECT_FALSE(list->Remove(Box(u"x")));
  link->Remove();
  link->Remove();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_TRUE(link->NextLink().IsNull());
}

TEST(TList, DestroysLongListsWithoutDeepRecursion) {
  auto list = New<TList>();
  for (int i = 0; i < 1000000; ++i) list->AddLast(nullptr);
  EXPECT_EQ(list->Count(), 1000000);
  list = nullptr;
}

TEST(TMap, OrdersKeysByComparisonAndReplacesValues) {
  auto map = New<TMap>();
  map->Insert(Box(u"b"), Box(u"2"));
  map->Insert(Box(u"a"), Box(u"1"));
  map->Insert(Box(u"b"), Box(u"3"));
  EXPECT_EQ(map->Count(), 2);
  EXPECT_EQ(UnboxString(map->Keys()[0]), u"a");
  EXPECT_EQ(UnboxString(map->ValueForKey(Box(u"b"))), u"3");
  EXPECT_TRUE(map->ValueForKey(Box(u"c")).IsNull());
  EXPECT_TRUE(map->Remove(Box(u"a")));
  EXPECT_FALSE(map->Contains(Box(u"a")));
}

TEST(ExitActions, RunNewestFirstAtExit) {
#if !GTEST_HAS_DEATH_TEST
  GTEST_SKIP() << "no death tests here: a web page cannot start a process to end";
#else
  EXPECT_EXIT(
      {
        AddExitAction([] { std::fputs("first", stderr); });
        AddExitAction([] { std::fputs("second,", stderr); });
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "second,first");
#endif
}

}  // namespace
}  // namespace corvax
