// Text entry and the clipboard forward to the current driver; one without them says so.
#include <gtest/gtest.h>

#include <corvax/system/text_input.h>

#include "fake_driver.h"

namespace corvax {
namespace {

TEST(TextInput, ADriverWithoutAClipboardFailsAndSaysWhy) {
  const auto driver = testing::InstallFakeDriver();
  StartTextInput();
  EXPECT_FALSE(IsTextInputActive());
  SetTextInputArea(1, 2, 3, 4);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ClipboardText(), u"");
  EXPECT_FALSE(SetClipboardText(u"lost"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot read the clipboard: the system driver has none\n"
            "corvax: cannot write the clipboard: the system driver has none\n");
}

}  // namespace
}  // namespace corvax
