#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <corvax/runtime/exit_actions.h>
#include <corvax/system/hook.h>

namespace corvax {
namespace {

// Appends the context's text to the data's text, so the data records the order of calls.
Ref<Object> Append(int, const Ref<Object>& data, const Ref<Object>& context) {
  return Box(UnboxString(data) + UnboxString(context));
}

Ref<Object> ReturnNull(int, const Ref<Object>&, const Ref<Object>&) {
  return nullptr;
}

TEST(Hooks, RunInPriorityOrderWithInstallationOrderForEqualPriorities) {
  const int id = AllocateHookId();
  InstallHook(id, &Append, Box(u"a"), 5);
  InstallHook(id, &Append, Box(u"b"), 0);
  InstallHook(id, &Append, Box(u"c"), 5);
  InstallHook(id, &Append, Box(u"d"), -10000);
  InstallHook(id, &Append, Box(u"e"), 7);
  EXPECT_EQ(UnboxString(RunHookChain(id, Box(u""))), u"eacbd");
}

TEST(Hooks, EachFunctionGetsWhatTheOneBeforeReturned) {
  const int id = AllocateHookId();
  EXPECT_EQ(UnboxString(RunHookChain(id, Box(u"unchanged"))), u"unchanged");
  InstallHook(id, &ReturnNull, nullptr, 10);
  InstallHook(id, &Append, Box(u"x"), 0);
  // A Null does not stop the chain: the later hook still runs, on Null.
  EXPECT_EQ(UnboxString(RunHookChain(id, Box(u"start"))), u"x");
}

TEST(Hooks, UninstallMatchesFunctionAndContextIdentity) {
  const int id = AllocateHookId();
  const Ref<Object> first = Box(u"1");
  const Ref<Object> twin = Box(u"1");  // equal text, another object
  InstallHook(id, &Append, first, 0);
  InstallHook(id, &Append, first, 0);
  UninstallHook(id, &Append, twin);
  UninstallHook(id, &ReturnNull, first);
  EXPECT_EQ(UnboxString(RunHookChain(id, Box(u""))), u"11");
  UninstallHook(id, &Append, first);
  EXPECT_EQ(UnboxString(RunHookChain(id, Box(u""))), u"1");
  UninstallHook(id, &Append, first);
  UninstallHook(id, &Append, first);
  EXPECT_EQ(UnboxString(RunHookChain(id, Box(u"-"))), u"-");
}

int selfRemovingId = -1;
Ref<Object> RemoveSelf(int id, const Ref<Object>& data, const Ref<Object>& context) {
  UninstallHook(id, &RemoveSelf, context);
  return Box(UnboxString(data) + u"r");
}

TEST(Hooks, AFunctionMayUninstallItselfWhileTheChainRuns) {
  selfRemovingId = AllocateHookId();
  InstallHook(selfRemovingId, &Append, Box(u"a"), 2);
  InstallHook(selfRemovingId, &RemoveSelf, nullptr, 1);
  InstallHook(selfRemovingId, &Append, Box(u"b"), 0);
  EXPECT_EQ(UnboxString(RunHookChain(selfRemovingId, Box(u""))), u"arb");
  EXPECT_EQ(UnboxString(RunHookChain(selfRemovingId, Box(u""))), u"ab");
}

TEST(Hooks, IdsRunOutAfter256) {
  int last = -1;
  try {
    for (int i = 0; i <= kHookIdCount; ++i) last = AllocateHookId();
    FAIL() << "a 257th id was handed out";
  } catch (const TThrownString& thrown) {
    EXPECT_EQ(thrown.Value(), u"Too many hook ids");
  }
  EXPECT_EQ(last, kHookIdCount - 1);
  // Every later call fails too.
  EXPECT_THROW(AllocateHookId(), TThrownString);
}

TEST(Hooks, BadIdsAndMissingFunctionsThrowInsteadOfCorruptingMemory) {
  EXPECT_THROW(InstallHook(kHookIdCount, &Append, nullptr, 0), TArrayBoundsException);
  EXPECT_THROW(RunHookChain(-1, nullptr), TArrayBoundsException);
  const int id = kHookIdCount - 1;
  InstallHook(id, nullptr, nullptr, 0);
  EXPECT_THROW(RunHookChain(id, nullptr), TNullFunctionException);
  UninstallHook(id, nullptr, nullptr);
}

}  // namespace
}  // namespace corvax

namespace corvax {
namespace {

#if GTEST_HAS_DEATH_TEST
Ref<Object> PassThrough(int, const Ref<Object>& data, const Ref<Object>&) {
  return data;
}
#endif

// An exit action added before the hook module first ran still finds its hooks at exit, after
// the statics made in between have been destroyed.
TEST(Hooks, ExitActionsAddedBeforeTheModuleStartedCanStillUseIt) {
#if !GTEST_HAS_DEATH_TEST
  GTEST_SKIP() << "no death tests here: a web page cannot start a process to end";
#else
  EXPECT_EXIT(
      {
        AddExitAction([] {
          UninstallHook(0, &PassThrough, nullptr);
          RunHookChain(0, nullptr);
          std::fputs("exit action done", stderr);
        });
        StartupHookModule();
        InstallHook(AllocateHookId(), &PassThrough, nullptr, 0);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "exit action done");
#endif
}

}  // namespace
}  // namespace corvax
