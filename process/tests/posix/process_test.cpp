// What only POSIX children do: programs from PATH and the shell, families made with fork.
#include <gtest/gtest.h>

#include <vector>

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

TEST_F(ProcessTest, CatFromThePathEchoesWhatItIsSent) {
  auto cat = SpawnProcess(u"cat");
  ASSERT_TRUE(cat);
  EXPECT_EQ(cat->Command(), u"cat");
  auto pipe = cat->Pipe();
  pipe->WriteTextLine(u"first line");
  EXPECT_EQ(NextLine(pipe), u"first line");
  pipe->WriteI32(0x01020304);
  EXPECT_EQ(pipe->ReadI32(), 0x01020304);
  EXPECT_EQ(KillProcess(cat), 1);
}

TEST_F(ProcessTest, ShellCommandLinesKeepTheirQuotedWords) {
  auto shell = SpawnProcess(u"/bin/sh -c \"echo $((6 * 7)) 'a  b'; exit 3\"");
  ASSERT_TRUE(shell);
  EXPECT_EQ(NextLine(shell->Pipe()), u"42 a  b");
  EXPECT_TRUE(EndsWithin(shell, std::chrono::seconds(10)));
  EXPECT_EQ(shell->ExitStatus(), 3);
}

TEST_F(ProcessTest, KillReapsAtOnce) {
  auto child = SpawnProcess(Helper() + u" stubborn");
  ASSERT_TRUE(child);
  const int pid = NextPid(child->Pipe());
  EXPECT_EQ(child->Kill(), 1);
  EXPECT_TRUE(ProcessGone(pid));  // reaped by Kill itself, no zombie left
}

TEST_F(ProcessTest, KillReachesEveryGeneration) {
  for (const char16_t* mode : {u" tree 3 2", u" escaping-tree 3 2"}) {
    auto root = SpawnProcess(Helper() + mode, 1);
    ASSERT_TRUE(root);
    std::vector<int> family;
    for (int i = 0; i < 15; ++i) family.push_back(NextPid(root->Pipe()));
    EXPECT_EQ(root->Kill(), 1);
    for (int pid : family) EXPECT_TRUE(GoneWithin(pid, std::chrono::seconds(5))) << pid;
  }
}

TEST_F(ProcessTest, KillReachesChildrenWhoseParentEnded) {
  auto child = SpawnProcess(Helper() + u" orphan");
  ASSERT_TRUE(child);
  const int orphan = NextPid(child->Pipe());
  EXPECT_TRUE(EndsWithin(child, std::chrono::seconds(10)));
  EXPECT_FALSE(ProcessGone(orphan));
  EXPECT_EQ(child->Kill(), 0);
  EXPECT_TRUE(GoneWithin(orphan, std::chrono::seconds(5)));
}

}  // namespace
}  // namespace corvax
