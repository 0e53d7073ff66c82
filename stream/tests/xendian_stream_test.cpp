#include <gtest/gtest.h>

#include <fstream>

#include <corvax/stream/stream_module.h>

#include "scripted_stream.h"
#include "temp_dir.h"

namespace corvax {
namespace {

using testing::ScriptedStream;
using Bytes = std::vector<unsigned char>;

class ByteOrderUrls : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupStreamModule();
    std::ofstream(dir / "number.bin", std::ios::binary) << std::string("\0\0\1\2", 4);
  }
  testing::TempDir dir;
};

TEST_F(ByteOrderUrls, BigEndianReadsTheHighByteFirst) {
  auto stream = OpenReadStream("bigendian::" + dir / "number.bin");
  ASSERT_TRUE(Cast<TXEndianStream>(stream));
  EXPECT_EQ(stream->ReadI32(), 258);
  stream->Close();
}

TEST_F(ByteOrderUrls, LittleEndianIsTheOpenedStreamItself) {
  auto stream = OpenReadStream("LittleEndian::" + dir / "number.bin");
  ASSERT_TRUE(Cast<TCStream>(stream));
  EXPECT_EQ(stream->ReadI32(), 33619968);
  stream->Close();
}

TEST_F(ByteOrderUrls, NestsAndFailsLikeThePathItOpens) {
  EXPECT_TRUE(OpenReadStream("bigendian::" + dir / "missing.bin").IsNull());
  EXPECT_TRUE(OpenReadStream("littleendian::" + dir / "missing.bin").IsNull());
  auto nested = OpenReadStream("bigendian::bigendian::" + dir / "number.bin");
  ASSERT_TRUE(nested);
  // Blocks pass through a byte-order wrapper unchanged, so only the outer one swaps.
  EXPECT_EQ(nested->ReadI32(), 258);
  nested->Close();
}

TEST(TXEndianStream, WritesEveryTypeHighByteFirstAndReadsItBack) {
  auto sink = New<ScriptedStream>(Bytes{});
  auto out = BigEndianStream(sink);
  out->WriteU16(0x0102);
  out->WriteI32(-2);
  out->WriteI64(0x0102030405060708);
  out->WriteF32(1.0);
  out->WriteF64(-2.0);
  out->WriteU8(9);
  EXPECT_EQ(sink->written, (Bytes{1,    2,    0xFF, 0xFF, 0xFF, 0xFE, 1, 2, 3, 4, 5, 6, 7, 8,
                                  0x3F, 0x80, 0,    0,    0xC0, 0,    0, 0, 0, 0, 0, 0, 9}));

  auto in = BigEndianStream(New<ScriptedStream>(sink->written));
  EXPECT_EQ(in->ReadU16(), 0x0102);
  EXPECT_EQ(in->ReadI32(), -2);
  EXPECT_EQ(in->ReadI64(), 0x0102030405060708);
  EXPECT_EQ(in->ReadF32(), 1.0f);
  EXPECT_EQ(in->ReadF64(), -2.0);
  EXPECT_EQ(in->ReadU8(), 9);
  EXPECT_TRUE(in->AtEnd());
}

TEST(TXEndianStream, SixteenBitReadsAreZeroExtended) {
  auto in = BigEndianStream(New<ScriptedStream>(Bytes{0xFF, 0xFE}));
  EXPECT_EQ(in->ReadU16(), 65534);
}

TEST(TXEndianStream, SwapsReverseTheirBytes) {
  unsigned char bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  TXEndianStream::Swap2(bytes);
  EXPECT_EQ(Bytes(bytes, bytes + 8), (Bytes{2, 1, 3, 4, 5, 6, 7, 8}));
  TXEndianStream::Swap4(bytes);
  EXPECT_EQ(Bytes(bytes, bytes + 8), (Bytes{4, 3, 1, 2, 5, 6, 7, 8}));
  TXEndianStream::Swap8(bytes);
  EXPECT_EQ(Bytes(bytes, bytes + 8), (Bytes{8, 7, 6, 5, 2, 1, 3, 4}));
}

TEST(TXEndianStream, NullStreamsStayNullAndLittleEndianMakesNoWrapper) {
  EXPECT_TRUE(TXEndianStream::CreateSwapped(nullptr).IsNull());
  EXPECT_TRUE(BigEndianStream(nullptr).IsNull());
  Ref<TStream> stream = New<ScriptedStream>(Bytes{});
  EXPECT_EQ(LittleEndianStream(stream), stream);
}

}  // namespace
}  // namespace corvax
