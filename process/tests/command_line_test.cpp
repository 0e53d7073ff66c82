#include <gtest/gtest.h>

#include <corvax/process/command_line.h>

namespace corvax {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(SplitCommandLine("  cat  -n\tfile "), (Words{"cat", "-n", "file"}));
  EXPECT_EQ(SplitCommandLine(R"(sh -c "echo a  b" x)"), (Words{"sh", "-c", "echo a  b", "x"}));
  EXPECT_EQ(SplitCommandLine(R"(a"b c"d)"), (Words{"ab cd"}));
  EXPECT_EQ(SplitCommandLine(R"(x "")"), (Words{"x", ""}));
  EXPECT_EQ(SplitCommandLine(R"(x "open)"), (Words{"x", "open"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeQuotes) {
  EXPECT_EQ(SplitCommandLine(R"(a\b\\c)"), (Words{R"(a\b\\c)"}));
  EXPECT_EQ(SplitCommandLine(R"(a\"b)"), (Words{R"(a"b)"}));
  EXPECT_EQ(SplitCommandLine(R"("a\\" b)"), (Words{R"(a\)", "b"}));
  EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), (Words{R"(a\"b)"}));
}

}  // namespace
}  // namespace corvax
