// The browser's clipboard from a page: through and back when the page may use it (the runner's
// --clipboard grants it that and the focus a user's page has), the failure result and one line
// saying why when it may not.
#include <gtest/gtest.h>

#include <string>

#include <corvax/system/system_module.h>

namespace corvax {
namespace {

TEST(WebClipboard, AllowedTextGoesThroughTheBrowsersClipboardAndBack) {
  StartupSystemModule();
  const String text = u"Gr\u00fc\u00dfe, \u4e16\u754c \U0001F600\nline two";
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(SetClipboardText(text));
  EXPECT_EQ(ClipboardText(), text);
  EXPECT_TRUE(SetClipboardText(u""));
  EXPECT_EQ(ClipboardText(), u"") << "an empty clipboard";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(WebClipboard, RefusedFailsAndSaysWhy) {
  StartupSystemModule();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(SetClipboardText(u"lost"));
  const std::string write = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(write.rfind("corvax: cannot write the clipboard: the browser refused: ", 0), 0u)
      << write;
  EXPECT_EQ(write.find('\n'), write.size() - 1) << "one line";

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ClipboardText(), u"");
  const std::string read = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(read.rfind("corvax: cannot read the clipboard: the browser refused: ", 0), 0u) << read;
  EXPECT_EQ(read.find('\n'), read.size() - 1) << "one line";
}

}  // namespace
}  // namespace corvax
