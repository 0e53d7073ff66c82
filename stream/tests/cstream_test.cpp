#include <gtest/gtest.h>

#include <fstream>

#include <corvax/stream/stream_module.h>

#include "temp_dir.h"

namespace corvax {
namespace {

TEST(TCStream, TracksPositionAndLengthThroughWritesAndSeeks) {
  testing::TempDir dir;
  auto stream = TCStream::OpenFile(FromUtf8(dir / "f.bin"), false, true);
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->FileMode(), TCStream::MODE_WRITE);
  stream->WriteI32(1);
  stream->WriteI32(2);
  EXPECT_EQ(stream->Position(), 8);
  EXPECT_EQ(stream->Length(), 8);
  EXPECT_EQ(stream->SeekTo(2), 2);
  stream->WriteU8(9);
  EXPECT_EQ(stream->Length(), 8);
  EXPECT_EQ(stream->SeekTo(20), 20);
  stream->WriteU8(1);
  EXPECT_EQ(stream->Length(), 21);
  stream->Close();
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "f.bin"), 21u);
  EXPECT_EQ(stream->Position(), 0);
  EXPECT_EQ(stream->Close(), 0);
}

TEST(TCStream, OpenModesFollowTheFlags) {
  testing::TempDir dir;
  std::ofstream(dir / "f.bin") << "abcd";
  const String path = FromUtf8(dir / "f.bin");
  auto reader = TCStream::OpenFile(path, false, false);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->FileMode(), TCStream::MODE_READ);
  EXPECT_EQ(reader->Length(), 4);
  EXPECT_THROW(reader->WriteU8(1), TStreamWriteException);
  reader->Close();

  auto updater = TCStream::OpenFile(path, true, true);
  EXPECT_EQ(updater->FileMode(), TCStream::MODE_READ_WRITE);
  EXPECT_EQ(updater->ReadChars(2), u"ab");
  updater->SeekTo(2);
  updater->WriteChars(u"XY");
  updater->Close();
  EXPECT_EQ(LoadByteText(path), u"abXY");

  EXPECT_TRUE(TCStream::OpenFile(FromUtf8(dir / "missing"), true, false).IsNull());
}

TEST(TCStream, BackslashesAreSlashesAndFileHandlesKeepTheirOffset) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "sub");
  std::ofstream(dir / "sub/x.txt") << "hello";
  String path = FromUtf8(dir.path().string()) + u"\\sub\\x.txt";
  auto stream = OpenReadStream(path);
  ASSERT_TRUE(stream);
  stream->Close();

  std::FILE* file = std::fopen((dir / "sub/x.txt").c_str(), "rb");
  std::fseek(file, 3, SEEK_SET);
  auto handle = TCStream::FromFileHandle(file, TCStream::MODE_READ);
  EXPECT_EQ(handle->Position(), 3);
  EXPECT_EQ(handle->Length(), 5);
  EXPECT_EQ(handle->ReadChars(2), u"lo");
  EXPECT_TRUE(handle->AtEnd());
  handle->Close();
}

}  // namespace
}  // namespace corvax

namespace corvax {
namespace {

TEST(TCStream, ReadsLinesLikeEveryStreamAndKeepsItsPosition) {
  testing::TempDir dir;
  std::ofstream(dir / "lines.txt", std::ios::binary)
      << std::string("ab\r\ncd\r\0e\xe9\nlast", 15) << std::string(3000, 'z');
  auto stream = OpenReadStream(dir / "lines.txt");
  EXPECT_EQ(stream->ReadTextLine(), u"ab");
  EXPECT_EQ(stream->Position(), 4);
  EXPECT_EQ(stream->ReadTextLine(), u"cd");
  EXPECT_EQ(stream->ReadTextLine(), u"e\u00e9");
  EXPECT_EQ(stream->ReadTextLine(), u"last" + String(3000, u'z'));
  EXPECT_TRUE(stream->AtEnd());
  EXPECT_EQ(stream->ReadTextLine(), u"");
  stream->Close();
  EXPECT_EQ(stream->ReadTextLine(), u"");
}

}  // namespace
}  // namespace corvax

namespace corvax {
namespace {

TEST(TCStream, CloseReportsBytesThatCouldNotBeWrittenOut) {
  auto full = TCStream::OpenFile(u"/dev/full", false, true);
  ASSERT_TRUE(full);
  full->WriteChars(u"buffered");
  EXPECT_EQ(full->Close(), -1);
  EXPECT_EQ(full->Close(), 0);
}

// What is saved whole is small enough to stay buffered until the file closes.
TEST(TCStream, SavingToAFullDiskThrowsWhenTheFileCloses) {
  EXPECT_THROW(SaveBytes({1, 2, 3}, u"/dev/full"), TStreamWriteException);
  EXPECT_THROW(SaveByteText(u"text", u"/dev/full"), TStreamWriteException);
}

}  // namespace
}  // namespace corvax
