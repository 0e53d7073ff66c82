#include <gtest/gtest.h>

#include <string>

#include <child_process.h>
#include <corvax/process/process_module.h>

#include "process_test_support.h"

namespace corvax {
namespace {

using testing::EndsWithin;
using testing::GoneWithin;
using testing::Helper;
using testing::NextLine;
using testing::NextPid;
using testing::ProcessGone;
using testing::ProcessTest;

TEST_F(ProcessTest, AChildGivesBackWhatItIsSent) {
  auto echo = SpawnProcess(Helper() + u" echo");
  ASSERT_TRUE(echo);
  EXPECT_EQ(IsProcessRunning(echo), 1);
  auto pipe = echo->Pipe();
  pipe->WriteTextLine(u"first line");
  pipe->WriteTextLine(u"second");
  EXPECT_EQ(NextLine(pipe), u"first line");
  EXPECT_EQ(NextLine(pipe), u"second");
  EXPECT_EQ(KillProcess(echo), 1);
  EXPECT_EQ(echo->IsRunning(), 0);
}

TEST_F(ProcessTest, OutputAndErrorArriveApartAndExitStatusIsKept) {
  auto child = TProcess::Start(Helper() + u" exit 7", 1);
  ASSERT_TRUE(child);
  EXPECT_TRUE(EndsWithin(child, std::chrono::seconds(10)));
  EXPECT_EQ(child->ExitStatus(), 7);
  EXPECT_EQ(NextLine(child->Pipe()), u"to out");
  EXPECT_EQ(NextLine(child->Err()), u"to err");
  char byte;
  EXPECT_EQ(child->Pipe()->Read(&byte, 1), 0);  // the child closed its end
  EXPECT_EQ(child->Kill(), 0);                  // it had ended on its own
  EXPECT_EQ(child->ExitStatus(), 7);
  EXPECT_EQ(child->Kill(), 0);
  child->ClosePipes();
  EXPECT_TRUE(child->Pipe().IsNull());
  EXPECT_TRUE(child->Err().IsNull());
}

TEST_F(ProcessTest, MissingProgramOrEmptyCommandGivesNull) {
  EXPECT_TRUE(SpawnProcess(u"/nonexistent/corvax-no-such-program").IsNull());
  EXPECT_TRUE(SpawnProcess(u"corvax-no-such-program-on-path --flag").IsNull());
  EXPECT_TRUE(SpawnProcess(u"").IsNull());
  EXPECT_TRUE(SpawnProcess(u"   ").IsNull());
}

TEST_F(ProcessTest, AChildRefusingPoliteRequestsIsKilledAtOnce) {
  auto child = SpawnProcess(Helper() + u" stubborn");
  ASSERT_TRUE(child);
  const int pid = NextPid(child->Pipe());
  EXPECT_EQ(pid, child->ProcessId());
  EXPECT_EQ(child->Kill(), 1);
  EXPECT_EQ(child->ExitStatus(), testing::kKilledStatus);
  EXPECT_EQ(child->ProcessId(), 0);
  EXPECT_TRUE(GoneWithin(pid, std::chrono::seconds(5)));
  EXPECT_EQ(child->Kill(), 0);
}

TEST_F(ProcessTest, KillAllForgetsEveryProcessAndClosesItsPipes) {
  auto first = SpawnProcess(Helper() + u" echo");
  auto second = SpawnProcess(Helper() + u" echo");
  ASSERT_TRUE(first && second);
  TProcess::KillAll();
  EXPECT_EQ(first->IsRunning(), 0);
  EXPECT_EQ(second->IsRunning(), 0);
  EXPECT_TRUE(first->Pipe().IsNull());
  EXPECT_EQ(first->Kill(), 0);
}

TEST_F(ProcessTest, ChildrenStillRunningAtExitAreKilled) {
  const auto result = testing::RunChild(CORVAX_PROCESS_HELPER, {"leave-child"});
  ASSERT_EQ(result.status, 0) << result.err;
  const int pid = std::stoi(result.out);
  EXPECT_TRUE(GoneWithin(pid, std::chrono::seconds(5)));
}

TEST_F(ProcessTest, PipeToAChildThatEndedWritesNothingAndDoesNotKillUs) {
  auto child = SpawnProcess(Helper() + u" exit 0");
  ASSERT_TRUE(child);
  EXPECT_TRUE(EndsWithin(child, std::chrono::seconds(10)));
  const std::string block(1 << 16, 'z');
  EXPECT_EQ(child->Pipe()->Write(block.data(), static_cast<int>(block.size())), 0);
}

}  // namespace
}  // namespace corvax
