#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <child_process.h>
#include <corvax/process/process_module.h>

namespace corvax {
namespace {

using Clock = std::chrono::steady_clock;

const String kHelper = From8Bit(CORVAX_PROCESS_HELPER);

// A process is gone when its /proc entry is, or it is a zombie nobody has reaped yet.
bool Gone(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return true;
  std::string text;
  try {
    text.assign(std::istreambuf_iterator<char>(stat), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    // The process was reaped between the open and the read (ESRCH).
    return true;
  }
  const auto close = text.rfind(')');
  return close != std::string::npos && text.size() > close + 2 && text[close + 2] == 'Z';
}

bool GoneWithin(int pid, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!Gone(pid)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Waits (boundedly) for a whole line; "" when none came.
String NextLine(const Ref<TPipeStream>& pipe) {
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline) {
    const String line = pipe->ReadTextLine();
    if (!line.empty()) return line;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return String();
}

int NextPid(const Ref<TPipeStream>& pipe) {
  return std::stoi(To8Bit(NextLine(pipe)));
}

bool EndsWithin(const Ref<TProcess>& process, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (process->IsRunning()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupProcessModule(); }
  void TearDown() override { TProcess::KillAll(); }
};

TEST_F(ProcessTest, CatEchoesWhatItIsSent) {
  auto cat = SpawnProcess(u"cat");
  ASSERT_TRUE(cat);
  EXPECT_EQ(cat->Command(), u"cat");
  EXPECT_EQ(IsProcessRunning(cat), 1);
  auto pipe = cat->Pipe();
  pipe->WriteTextLine(u"first line");
  pipe->WriteTextLine(u"second");
  EXPECT_EQ(NextLine(pipe), u"first line");
  EXPECT_EQ(NextLine(pipe), u"second");
  pipe->WriteI32(0x01020304);
  EXPECT_EQ(pipe->ReadI32(), 0x01020304);
  EXPECT_EQ(KillProcess(cat), 1);
  EXPECT_EQ(cat->IsRunning(), 0);
}

TEST_F(ProcessTest, OutputAndErrorArriveApartAndExitStatusIsKept) {
  auto child = TProcess::Start(kHelper + u" exit 7", 1);
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

TEST_F(ProcessTest, ShellCommandLinesKeepTheirQuotedWords) {
  auto shell = SpawnProcess(u"/bin/sh -c \"echo $((6 * 7)) 'a  b'; exit 3\"");
  ASSERT_TRUE(shell);
  EXPECT_EQ(NextLine(shell->Pipe()), u"42 a  b");
  EXPECT_TRUE(EndsWithin(shell, std::chrono::seconds(10)));
  EXPECT_EQ(shell->ExitStatus(), 3);
}

TEST_F(ProcessTest, MissingProgramOrEmptyCommandGivesNull) {
  EXPECT_TRUE(SpawnProcess(u"/nonexistent/corvax-no-such-program").IsNull());
  EXPECT_TRUE(SpawnProcess(u"corvax-no-such-program-on-path --flag").IsNull());
  EXPECT_TRUE(SpawnProcess(u"").IsNull());
  EXPECT_TRUE(SpawnProcess(u"   ").IsNull());
}

TEST_F(ProcessTest, ChildIgnoringPoliteSignalsIsKilledAtOnce) {
  auto child = SpawnProcess(kHelper + u" stubborn");
  ASSERT_TRUE(child);
  const int pid = NextPid(child->Pipe());
  EXPECT_EQ(pid, child->ProcessId());
  EXPECT_EQ(child->Kill(), 1);
  EXPECT_EQ(child->ExitStatus(), 128 + SIGKILL);
  EXPECT_EQ(child->ProcessId(), 0);
  EXPECT_TRUE(Gone(pid));  // reaped by Kill itself
  EXPECT_EQ(child->Kill(), 0);
}

TEST_F(ProcessTest, KillReachesEveryGeneration) {
  for (const char16_t* mode : {u" tree 3 2", u" escaping-tree 3 2"}) {
    auto root = SpawnProcess(kHelper + mode, 1);
    ASSERT_TRUE(root);
    std::vector<int> family;
    for (int i = 0; i < 15; ++i) family.push_back(NextPid(root->Pipe()));
    EXPECT_EQ(root->Kill(), 1);
    for (int pid : family) EXPECT_TRUE(GoneWithin(pid, std::chrono::seconds(5))) << pid;
  }
}

TEST_F(ProcessTest, KillReachesChildrenWhoseParentEnded) {
  auto child = SpawnProcess(kHelper + u" orphan");
  ASSERT_TRUE(child);
  const int orphan = NextPid(child->Pipe());
  EXPECT_TRUE(EndsWithin(child, std::chrono::seconds(10)));
  EXPECT_FALSE(Gone(orphan));
  EXPECT_EQ(child->Kill(), 0);
  EXPECT_TRUE(GoneWithin(orphan, std::chrono::seconds(5)));
}

TEST_F(ProcessTest, KillAllForgetsEveryProcessAndClosesItsPipes) {
  auto first = SpawnProcess(u"cat");
  auto second = SpawnProcess(u"cat");
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
  auto child = SpawnProcess(kHelper + u" exit 0");
  ASSERT_TRUE(child);
  EXPECT_TRUE(EndsWithin(child, std::chrono::seconds(10)));
  const std::string block(1 << 16, 'z');
  EXPECT_EQ(child->Pipe()->Write(block.data(), static_cast<int>(block.size())), 0);
}

}  // namespace
}  // namespace corvax
