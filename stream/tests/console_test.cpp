#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include <corvax/stream/stream_module.h>

#include "temp_dir.h"

namespace corvax {
namespace {

TEST(TCStandardIO, CannotSeekAndNeverReportsItsEnd) {
  auto io = New<TCStandardIO>();
  EXPECT_EQ(io->Position(), -1);
  EXPECT_EQ(io->Length(), 0);
  EXPECT_EQ(io->SeekTo(0), -1);
  EXPECT_FALSE(io->AtEnd());
}

TEST(ConsoleStream, IsUtf8TextOverStandardIO) {
  const Ref<TTextStream> console = ConsoleStream();
  ASSERT_TRUE(console);
  EXPECT_EQ(console, ConsoleStream());
  EXPECT_EQ(console->Encoding(), TTextStream::ENCODING_UTF8);
  EXPECT_TRUE(Cast<TCStandardIO>(console->InnerStream()));
  EXPECT_FALSE(console->AtEnd());
}

TEST(ConsoleStream, PrintLineWritesUtf8ThroughItOnceStarted) {
  StartupStreamModule();
  ::testing::internal::CaptureStdout();
  PrintLine(u"caf\u00E9 \u20AC");
  ConsoleStream()->WriteTextLine(u"x");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "caf\xC3\xA9 \xE2\x82\xAC\nx\r\n");
}

TEST(ConsoleStream, InputLineShowsThePromptAndReadsOneLine) {
  testing::TempDir dir;
  std::ofstream(dir / "input.txt", std::ios::binary) << "first \xE2\x82\xAC\r\nsecond\n";
  ASSERT_TRUE(std::freopen((dir / "input.txt").c_str(), "rb", stdin));
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(InputLine(u"name? "), u"first \u20AC");
  EXPECT_EQ(InputLine(), u"second");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "name? ");
  // Input that has ended cannot give another line.
  EXPECT_THROW(InputLine(), TStreamReadException);
}

}  // namespace
}  // namespace corvax
