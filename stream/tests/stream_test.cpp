#include <gtest/gtest.h>

#include <corvax/stream/stream_module.h>

#include "scripted_stream.h"

namespace corvax {
namespace {

using testing::ScriptedStream;

Ref<ScriptedStream> Bytes(std::vector<unsigned char> data, std::deque<int> chunks = {}) {
  return New<ScriptedStream>(std::move(data), std::move(chunks));
}

TEST(TIO, DefaultsAreUnseekableAndRefuseBytes) {
  auto io = New<TIO>();
  EXPECT_EQ(io->Position(), -1);
  EXPECT_EQ(io->Length(), 0);
  EXPECT_EQ(io->SeekTo(5), -1);
  EXPECT_FALSE(io->AtEnd());
  char byte = 0;
  try {
    io->Read(&byte, 1);
    FAIL();
  } catch (const TRuntimeException& e) {
    EXPECT_EQ(e.Message(), u"Stream is not readable");
  }
  try {
    io->Write(&byte, 1);
    FAIL();
  } catch (const TRuntimeException& e) {
    EXPECT_EQ(e.Message(), u"Stream is not writeable");
  }
}

TEST(TStream, ReadBlockGathersShortReadsAndEndsQuietlyAtTheEnd) {
  auto stream = Bytes({1, 2, 3, 4, 5}, {2, 1, 5});
  unsigned char buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(stream->ReadBlock(buffer, 8), 8);
  EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 8),
            std::vector<unsigned char>({1, 2, 3, 4, 5, 9, 9, 9}));
}

TEST(TStream, ZeroByteReadBeforeTheEndThrows) {
  auto stream = Bytes({1, 2, 3}, {1, 0});
  unsigned char buffer[3];
  EXPECT_THROW(stream->ReadBlock(buffer, 3), TStreamReadException);
  EXPECT_EQ(stream->Position(), 1);
  auto skipping = Bytes({1, 2, 3}, {0});
  EXPECT_THROW(skipping->SkipForward(2), TStreamReadException);
  try {
    Bytes({1}, {0})->ReadU8();
  } catch (const TStreamException& e) {
    EXPECT_STREQ(e.what(), "Error reading from stream");
  }
}

TEST(TStream, WriteBlockRetriesShortWritesAndThrowsOnZero) {
  auto stream = Bytes({}, {1, 2});
  EXPECT_EQ(stream->WriteBlock("abc", 3), 3);
  EXPECT_EQ(stream->written.size(), 3u);
  auto stuck = Bytes({}, {0});
  EXPECT_THROW(stuck->WriteBlock("a", 1), TStreamWriteException);
}

TEST(TStream, TypedValuesAreLittleEndianAndShortReadsGiveZeros) {
  auto stream = Bytes({0x34, 0x12});
  EXPECT_EQ(stream->ReadI32(), 0x1234);
  EXPECT_EQ(stream->ReadU8(), 0);
  auto out = Bytes({});
  out->WriteU16(0x10203);
  out->WriteI32(-2);
  out->WriteF32(1.5);
  out->WriteI64(1LL << 40);
  ASSERT_EQ(out->written.size(), 18u);
  EXPECT_EQ(out->written[0], 0x03);
  EXPECT_EQ(out->written[1], 0x02);
  auto in = Bytes(out->written);
  EXPECT_EQ(in->ReadU16(), 0x0203);
  EXPECT_EQ(in->ReadI32(), -2);
  EXPECT_EQ(in->ReadF32(), 1.5f);
  EXPECT_EQ(in->ReadI64(), 1LL << 40);
}

TEST(TStream, SkipForwardStopsAtTheEnd) {
  std::vector<unsigned char> data(3000, 7);
  auto stream = Bytes(data);
  EXPECT_EQ(stream->SkipForward(2500), 2500);
  EXPECT_EQ(stream->Position(), 2500);
  EXPECT_EQ(stream->SkipForward(1000), 1000);
  EXPECT_TRUE(stream->AtEnd());
}

TEST(TStream, ReadTextLineHandlesCrLfZeroAndLongLines) {
  auto crlf = Bytes({'a', 'b', 13, 10, 'c', 'd'});
  EXPECT_EQ(crlf->ReadTextLine(), u"ab");
  EXPECT_EQ(crlf->ReadTextLine(), u"cd");
  EXPECT_TRUE(crlf->AtEnd());
  EXPECT_EQ(crlf->ReadTextLine(), u"");

  auto innerCr = Bytes({'a', 13, 'b', 10});
  EXPECT_EQ(innerCr->ReadTextLine(), u"ab");
  EXPECT_TRUE(innerCr->AtEnd());

  auto zero = Bytes({'x', 0, 'y', 0xE9});
  EXPECT_EQ(zero->ReadTextLine(), u"x");
  EXPECT_EQ(zero->ReadTextLine(), u"y\u00e9");

  std::vector<unsigned char> longLine(3000, 'q');
  longLine.push_back('\n');
  EXPECT_EQ(Bytes(longLine)->ReadTextLine(), String(3000, u'q'));
}

TEST(TStream, WriteTextLineAppendsCrLfAndReportsShortWrites) {
  auto out = Bytes({});
  EXPECT_TRUE(out->WriteTextLine(u"hi"));
  EXPECT_EQ(out->written, std::vector<unsigned char>({'h', 'i', 13, 10}));
  auto shortWrite = Bytes({}, {1});
  EXPECT_FALSE(shortWrite->WriteTextLine(u"hi"));
  EXPECT_EQ(shortWrite->written.size(), 1u);
}

TEST(TStream, CharsAreBytesOfTheSameCode) {
  auto out = Bytes({});
  out->WriteChars(u"A\u0142\u00ff");
  EXPECT_EQ(out->written, std::vector<unsigned char>({'A', 0x42, 0xFF}));
  EXPECT_EQ(Bytes(out->written)->ReadChars(3), u"AB\u00ff");
}

TEST(TStream, ObjectsAreRefusedWithThrownStrings) {
  auto stream = Bytes({});
  try {
    stream->ReadObject();
    FAIL();
  } catch (const TThrownString& s) {
    EXPECT_EQ(s.Value(), u"Unable to read object");
  }
  try {
    stream->WriteObject(nullptr);
    FAIL();
  } catch (const TThrownString& s) {
    EXPECT_EQ(s.Value(), u"Unable to write object");
  }
}

TEST(TStreamStream, ForwardsAndCloseLeavesTheInnerStreamOpen) {
  auto inner = Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9});
  auto wrapper = TStreamStream::WrapStream(inner);
  EXPECT_EQ(wrapper->ReadU8(), 1);
  EXPECT_EQ(wrapper->ReadI64(), 0x0908070605040302LL);
  EXPECT_EQ(wrapper->Position(), 9);
  wrapper->Close();
  EXPECT_TRUE(wrapper->InnerStream().IsNull());
  EXPECT_EQ(inner->Position(), 9);
  EXPECT_THROW(wrapper->Position(), TNullObjectException);
}

TEST(StreamFunctions, CallTheOperations) {
  Ref<TStream> stream = Bytes({5, 0, 6});
  EXPECT_EQ(ReadU16(stream), 5);
  EXPECT_EQ(StreamPosition(stream), 2);
  EXPECT_EQ(ReadU8(stream), 6);
  EXPECT_TRUE(AtEnd(stream));
}

}  // namespace
}  // namespace corvax
