#include <gtest/gtest.h>

#include <corvax/runtime/exceptions.h>
#include <corvax/runtime/registration_chain.h>

#include <vector>

namespace corvax {
namespace {

// A kind of its own, so the process-wide chain holds only what these tests register.
class TProbe : public Object, public ChainMember<TProbe> {
 public:
  explicit TProbe(int id) : id(id) { RegistrationChain<TProbe>::Global().PushFront(*this); }
  int id;
};

RegistrationChain<TProbe>& Probes() {
  return RegistrationChain<TProbe>::Global();
}

// The ids asked, newest first, until one equals answering.
std::vector<int> AskUntil(int answering) {
  std::vector<int> asked;
  Probes().FirstAnswer([&](const Ref<TProbe>& probe) {
    asked.push_back(probe->id);
    return probe->id == answering;
  });
  return asked;
}

TEST(RegistrationChain, AsksTheNewestFirstAndStopsAtTheFirstAnswer) {
  const Ref<TProbe> before = Probes().First();
  // Kept alive by the chain alone: registration holds the reference.
  TProbe* first = New<TProbe>(1).get();
  New<TProbe>(2);
  New<TProbe>(3);
  EXPECT_EQ(Probes().First()->id, 3);
  EXPECT_EQ(first->ReferenceCount(), 1);
  EXPECT_EQ(first->NextInChain(), before);

  EXPECT_EQ(AskUntil(2), (std::vector<int>{3, 2}));
  const std::vector<int> all = AskUntil(99);
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(std::vector<int>(all.begin(), all.begin() + 3), (std::vector<int>{3, 2, 1}));

  // No member answering gives the answer type's empty value.
  const Ref<TProbe> none = Probes().FirstAnswer([](const Ref<TProbe>&) { return Ref<TProbe>(); });
  EXPECT_FALSE(none);
  const Ref<TProbe> two = Probes().FirstAnswer(
      [](const Ref<TProbe>& probe) { return probe->id == 2 ? probe : nullptr; });
  ASSERT_TRUE(two);
  EXPECT_EQ(two->id, 2);
}

TEST(RegistrationChain, RegisteringAMemberTwiceNeverLoopsTheChain) {
  New<TProbe>(4);
  New<TProbe>(5);
  const Ref<TProbe> head = Probes().First();
  Ref<TProbe> oldest = head;
  while (oldest->NextInChain()) oldest = oldest->NextInChain();
  // The oldest member has no next link, yet is registered: it must not be linked again.
  EXPECT_FALSE(Probes().PushFront(*oldest));
  EXPECT_FALSE(Probes().PushFront(*head));
  EXPECT_EQ(Probes().First(), head);
  int count = 0;
  for (Ref<TProbe> p = head; p && count < 100; p = p->NextInChain()) ++count;
  EXPECT_LT(count, 100);
}

TEST(RegistrationChain, WhatTheQuestionThrowsEndsTheWalk) {
  New<TProbe>(7);
  int asked = 0;
  EXPECT_THROW(Probes().FirstAnswer([&](const Ref<TProbe>&) -> bool {
    ++asked;
    ThrowRuntimeError(u"refused");
  }),
               TRuntimeException);
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace corvax
