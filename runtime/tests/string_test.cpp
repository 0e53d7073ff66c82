#include <gtest/gtest.h>

#include <corvax/runtime/string.h>

namespace corvax {
namespace {

TEST(String, EightBitTakesTheLowByteAndWidensBack) {
  EXPECT_EQ(To8Bit(u"A\u0141\u00e9"), std::string("A\x41\xe9"));
  EXPECT_EQ(From8Bit("\xff\x01"), String(u"\u00ff\u0001"));
}

TEST(String, Utf8RoundTripsEveryPlane) {
  const String text = u"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(ToUtf8(text), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(String, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\x80z"), String(u"a\ufffdz"));
  EXPECT_EQ(FromUtf8("\xe2\x82"), String(u"\ufffd"));
  EXPECT_EQ(FromUtf8("\xc0\xaf"), String(u"\ufffd\ufffd"));
}

TEST(String, LowerCaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(ToLowerAscii(u"InCBiN-\u00c9"), u"incbin-\u00c9");
}

}  // namespace
}  // namespace corvax
