#include <gtest/gtest.h>

#include <corvax/stream/stream_module.h>

namespace corvax {
namespace {

TEST(TRamStream, ClampsSeeksAndCutsReadsAndWritesAtTheEnd) {
  unsigned char block[20] = {};
  auto stream = CreateRamStream(block, 20, true, true);
  EXPECT_EQ(stream->SeekTo(-5), 0);
  EXPECT_EQ(stream->SeekTo(30), 20);
  EXPECT_TRUE(stream->AtEnd());
  stream->SeekTo(10);
  unsigned char buffer[100];
  EXPECT_EQ(stream->Read(buffer, 100), 10);
  stream->SeekTo(18);
  EXPECT_EQ(stream->Write("abcd", 4), 2);
  EXPECT_EQ(block[19], 'b');
  EXPECT_THROW(stream->WriteBlock("z", 1), TStreamWriteException);
  EXPECT_EQ(stream->Length(), 20);
}

TEST(TRamStream, FlagsGateReadingAndWriting) {
  unsigned char block[4] = {1, 2, 3, 4};
  auto readOnly = CreateRamStream(block, 4, true, false);
  EXPECT_EQ(readOnly->Write("x", 1), 0);
  EXPECT_THROW(readOnly->WriteU8(1), TStreamWriteException);
  auto writeOnly = CreateRamStream(block, 4, false, true);
  EXPECT_EQ(writeOnly->Read(block, 1), 0);
  EXPECT_THROW(writeOnly->ReadU8(), TStreamReadException);
  EXPECT_EQ(readOnly->Read(block, 0), 0);
  EXPECT_EQ(readOnly->Read(block, -3), 0);
}

class EmbeddedFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartupStreamModule();
    RegisterEmbeddedFile(u"hello.txt", kHello, 5);
  }
  static constexpr char kHello[] = "hello";
};

TEST_F(EmbeddedFiles, FirstRegistrationStays) {
  static const char other[] = "other";
  EXPECT_EQ(RegisterEmbeddedFile(u"hello.txt", other, 5), 0);
  EXPECT_EQ(EmbeddedFileData(u"hello.txt"), kHello);
  EXPECT_EQ(EmbeddedFileSize(u"hello.txt"), 5);
  EXPECT_EQ(EmbeddedFileData(u"missing"), nullptr);
  EXPECT_EQ(EmbeddedFileSize(u"missing"), 0);
}

TEST_F(EmbeddedFiles, IncbinOpensOnlyForReadingAndMatchesCase) {
  auto stream = OpenReadStream("incbin::hello.txt");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ReadChars(5), u"hello");
  EXPECT_TRUE(stream->AtEnd());
  EXPECT_TRUE(OpenReadStream("INCBIN::hello.txt"));
  EXPECT_TRUE(OpenReadStream("incbin::Hello.txt").IsNull());
  EXPECT_TRUE(OpenUrlStream("incbin::hello.txt", true, true).IsNull());
  EXPECT_TRUE(OpenWriteStream("incbin::hello.txt").IsNull());
  EXPECT_EQ(LoadByteText("incbin::hello.txt"), u"hello");
}

}  // namespace
}  // namespace corvax
