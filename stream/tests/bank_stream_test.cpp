#include <gtest/gtest.h>

#include <cstring>

#include <corvax/stream/stream_module.h>

#include "temp_dir.h"
#include "unseekable_stream.h"

namespace corvax {
namespace {

TEST(BankStream, WritingPastTheEndGrowsTheBank) {
  auto bank = CreateBank(8);
  std::memset(bank->Buffer(), 0, 8);
  auto stream = CreateBankStream(bank);
  EXPECT_EQ(stream->SeekTo(6), 6);
  EXPECT_EQ(stream->Write("abcd", 4), 4);
  EXPECT_EQ(bank->Size(), 10);
  EXPECT_EQ(bank->Capacity(), 12);
  EXPECT_EQ(stream->Position(), 10);
  EXPECT_EQ(stream->Length(), 10);
  EXPECT_TRUE(stream->AtEnd());
  EXPECT_EQ(std::memcmp(bank->Buffer() + 6, "abcd", 4), 0);
  EXPECT_EQ(stream->Write("x", 0), 0);
}

TEST(BankStream, SeeksAreClampedAndReadsStopAtTheEnd) {
  auto stream = CreateBankStream(CreateBank(8));
  EXPECT_EQ(stream->SeekTo(100), 8);
  char buffer[8];
  EXPECT_EQ(stream->Read(buffer, 4), 0);
  EXPECT_EQ(stream->SeekTo(-3), 0);
  EXPECT_EQ(stream->SeekTo(5), 5);
  EXPECT_EQ(stream->Read(buffer, 8), 3);
  EXPECT_EQ(stream->Read(buffer, 0), 0);
}

TEST(BankStream, TypedValuesRoundTripThroughAGrowingBank) {
  auto stream = CreateBankStream(nullptr);
  EXPECT_EQ(stream->Bank()->Size(), 0);
  for (int i = 0; i < 1000; ++i) stream->WriteI32(i * 7);
  stream->WriteTextLine(u"end");
  EXPECT_EQ(stream->Bank()->Size(), 4005);
  stream->SeekTo(0);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(stream->ReadI32(), i * 7);
  EXPECT_EQ(stream->ReadTextLine(), u"end");
  EXPECT_TRUE(stream->AtEnd());
}

TEST(BankStream, ABankIsAUrl) {
  StartupStreamModule();
  auto bank = CreateBank(2);
  auto stream = OpenReadStream(bank);
  ASSERT_TRUE(Cast<TBankStream>(stream));
  EXPECT_EQ(stream->Position(), 0);
  // Whatever the flags, and even with a protocol-less write request.
  auto writer = OpenWriteStream(bank);
  writer->SeekTo(2);
  writer->WriteU16(0x0102);
  writer->Close();
  EXPECT_EQ(bank->Size(), 4);
  EXPECT_EQ(bank->PeekU16(2), 0x0102);
  EXPECT_EQ(Cast<TBankStream>(writer)->Bank(), bank);
}

TEST(SeekableStream, SeekableStreamsComeBackUnchanged) {
  StartupStreamModule();
  testing::TempDir dir;
  SaveByteText(u"hello", dir / "a.txt");
  auto stream = OpenSeekableStream(dir / "a.txt", true, false);
  ASSERT_TRUE(Cast<TCStream>(stream));
  stream->Close();
  EXPECT_TRUE(OpenSeekableStream(dir / "missing", true, false).IsNull());
}

TEST(SeekableStream, AnUnseekableStreamIsServedFromABank) {
  StartupStreamModule();
  auto pipe = New<testing::UnseekableStream>(std::vector<unsigned char>{1, 2, 3, 4, 5}, 2);
  auto stream = OpenSeekableStream(pipe, true, false);
  ASSERT_TRUE(Cast<TBankStream>(stream));
  EXPECT_EQ(stream->Length(), 5);
  EXPECT_EQ(stream->SeekTo(3), 3);
  EXPECT_EQ(stream->ReadU16(), 0x0504);
  // A stream passed in stays open; it belongs to the caller.
  EXPECT_EQ(pipe->closes, 0);
}

// Hands out unseekable streams for "pipe::" and remembers them.
class PipeFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>&, const String& protocol, const String&, bool,
                            bool) override {
    if (protocol != u"pipe") return nullptr;
    last = New<testing::UnseekableStream>(std::vector<unsigned char>{7, 8, 9});
    return last;
  }
  Ref<testing::UnseekableStream> last;
};

TEST(SeekableStream, AnUnseekableStreamItOpenedIsClosedOnceRead) {
  StartupStreamModule();
  auto factory = New<PipeFactory>();
  auto stream = OpenSeekableStream("pipe::x", true, false);
  ASSERT_TRUE(Cast<TBankStream>(stream));
  EXPECT_EQ(stream->ReadU8(), 7);
  EXPECT_EQ(factory->last->closes, 1);
}

}  // namespace
}  // namespace corvax
