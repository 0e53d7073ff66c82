#include <gtest/gtest.h>

#include <string>

#include <corvax/process/process_module.h>

namespace corvax {
namespace {

TEST(ProcessInAPage, StartingAProgramGivesNullAndSaysWhy) {
  ::testing::internal::CaptureStderr();
  const Ref<TProcess> child = SpawnProcess(u"ls -l");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(child);
  EXPECT_EQ(said, "corvax: cannot start ls -l: a web page cannot start other programs\n");
}

}  // namespace
}  // namespace corvax
