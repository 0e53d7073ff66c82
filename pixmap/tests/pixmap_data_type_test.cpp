#include <corvax/pixmap/pixmap_module.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <corvax/stream/bank_stream.h>
#include <corvax/stream/data_stream.h>

namespace corvax {
namespace {

class PixmapDataType : public ::testing::Test {
 protected:
  void SetUp() override { StartupPixmapModule(); }

  // A data stream writing into a fresh bank.
  Ref<TDataStream> Writer() {
    bank_stream_ = CreateBankStream();
    return TDataStream::CreateDataStream(bank_stream_);
  }
  Ref<TDataStream> Reader() {
    return TDataStream::CreateDataStream(CreateBankStream(bank_stream_->Bank()));
  }
  Ref<TBank> Bank() const { return bank_stream_->Bank(); }

  Ref<TBankStream> bank_stream_;
};

TEST_F(PixmapDataType, RowsAreWrittenWithoutPaddingAndReadBackAligned) {
  Ref<TPixmap> p = PixmapCreate(5, 2, FORMAT_RGB888);
  for (int x = 0; x < 5; ++x) {
    p->SetPixel(x, 0, 0xFF000000u | (x + 1));
    p->SetPixel(x, 1, 0xFF000000u | (x + 1) << 8);
  }
  Writer()->WriteObject(p);
  // Type id 1, the name line, then width, height, format and 2 rows of 15 bytes.
  const std::string name = "KVT.Pixmap.TPixmap\r\n";
  ASSERT_EQ(Bank()->Size(), 1 + static_cast<int>(name.size()) + 12 + 30);
  EXPECT_EQ(Bank()->PeekU8(0), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Bank()->Buffer()) + 1, name.size()), name);
  const int content = 1 + static_cast<int>(name.size());
  EXPECT_EQ(Bank()->PeekI32(content), 5);
  EXPECT_EQ(Bank()->PeekI32(content + 4), 2);
  EXPECT_EQ(Bank()->PeekI32(content + 8), FORMAT_RGB888);
  EXPECT_EQ(Bank()->PeekU8(content + 12 + 15 + 1), 1);  // row 1, pixel 0, green

  Ref<TPixmap> back = Cast<TPixmap>(Reader()->ReadObject());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Pitch(), 16);
  EXPECT_EQ(back->Format(), FORMAT_RGB888);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back->GetPixel(x, y), p->GetPixel(x, y));
  }
  EXPECT_EQ(p->GetDataType(), TPixmapDataType::Instance());
  EXPECT_EQ(FindDataType(u"KVT.Pixmap.TPixmap"), TPixmapDataType::Instance());
}

TEST_F(PixmapDataType, EmptyPixmapsRoundTrip) {
  Writer()->WriteObject(PixmapCreate(0, 3, FORMAT_GREY8));
  Ref<TPixmap> back = Cast<TPixmap>(Reader()->ReadObject());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Width(), 0);
  EXPECT_EQ(back->Height(), 3);
}

TEST_F(PixmapDataType, AnEmptyPixmapOfAnyHeightReadsAtOnce) {
  // Found by fuzzing: a few bytes claiming 2^31 - 1 empty rows kept the reader busy for each;
  // writing such a pixmap went through every empty row too.
  Writer()->WriteObject(PixmapCreate(0, 0x7FFFFFFF, FORMAT_ALPHA8));
  auto reading = std::async(std::launch::async, [this] { return Reader()->ReadObject(); });
  // Generous against reading nothing at all, far below one call per claimed row.
  ASSERT_EQ(reading.wait_for(std::chrono::seconds(2)), std::future_status::ready);
  const Ref<TPixmap> back = Cast<TPixmap>(reading.get());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Height(), 0x7FFFFFFF);
}

TEST_F(PixmapDataType, LyingHeadersAreRefusedBeforeAllocating) {
  struct Case {
    int width, height, format;
  };
  const Case cases[] = {
      {-1, 1, FORMAT_GREY8},           {1, -1, FORMAT_GREY8}, {1, 1, 0}, {1, 1, 99},
      {40000, 40000, FORMAT_RGBA8888},  // more than 2^31 bytes
      {989986818, 0, FORMAT_RGB888},    // no rows, but one row would pass 2^31 bytes (fuzzing)
      {1000, 1000, FORMAT_RGBA8888}};   // more than the stream holds
  for (const Case& c : cases) {
    Ref<TDataStream> out = Writer();
    out->WriteObject(PixmapCreate(1, 1, FORMAT_GREY8));
    const int content = 1 + 20;
    Bank()->PokeI32(content, c.width);
    Bank()->PokeI32(content + 4, c.height);
    Bank()->PokeI32(content + 8, c.format);
    EXPECT_THROW(Reader()->ReadObject(), TStreamReadException) << c.width << "x" << c.height;
  }
  // Rows cut short.
  Writer()->WriteObject(PixmapCreate(4, 4, FORMAT_RGBA8888));
  Bank()->Resize(Bank()->Size() - 1);
  EXPECT_THROW(Reader()->ReadObject(), TStreamReadException);
}

}  // namespace
}  // namespace corvax
