#include <gtest/gtest.h>

#include <limits>
#include <random>

#include <corvax/stream/stream_module.h>

#include "scripted_stream.h"
#include "temp_dir.h"

namespace corvax {
namespace {

using testing::ScriptedStream;
using Bytes = std::vector<unsigned char>;

Bytes Ascii(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

struct Sink {
  explicit Sink(int encoding = TTextStream::ENCODING_UTF8)
      : bytes(New<ScriptedStream>(Bytes{})), text(TTextStream::CreateTextStream(bytes, encoding)) {}
  std::string Written() const { return std::string(bytes->written.begin(), bytes->written.end()); }
  Ref<ScriptedStream> bytes;
  Ref<TTextStream> text;
};

Ref<TTextStream> Source(Bytes bytes, int encoding = TTextStream::ENCODING_UTF8,
                        std::deque<int> chunks = {}) {
  return TTextStream::CreateTextStream(New<ScriptedStream>(std::move(bytes), std::move(chunks)),
                                       encoding);
}

void ExpectThrownString(const std::function<void()>& action, const String& value) {
  try {
    action();
    ADD_FAILURE() << "nothing thrown";
  } catch (const TThrownString& e) {
    EXPECT_EQ(e.Value(), value);
  }
}

TEST(TTextStreamHex, BytesBecomeUpperCaseDigitPairs) {
  Sink sink;
  const unsigned char bytes[] = {0, 255, 16};
  EXPECT_EQ(sink.text->Write(bytes, 3), 3);
  EXPECT_EQ(sink.Written(), "00FF10");
  EXPECT_EQ(sink.text->HexLineCount(), 3);
}

TEST(TTextStreamHex, LinesHoldThirtyTwoBytesAndCloseBeforeText) {
  Sink sink;
  const Bytes bytes(33, 0xAB);
  sink.text->WriteBlock(bytes.data(), 33);
  EXPECT_EQ(sink.Written(), Repeat("AB", 32) + "\r\nAB");
  sink.text->WriteTextLine(u"ok");
  EXPECT_EQ(sink.Written().substr(68), "\r\nok\r\n");
  EXPECT_EQ(sink.text->HexLineCount(), 0);
}

TEST(TTextStreamHex, ReadingBackTheSameOperationsRestoresTheBytes) {
  Sink sink(TTextStream::ENCODING_UTF16LE);
  Bytes bytes(100);
  for (int i = 0; i < 100; ++i) bytes[i] = static_cast<unsigned char>(i * 7);
  sink.text->WriteBlock(bytes.data(), 100);
  sink.text->WriteI32(-7);
  sink.text->WriteBlock(bytes.data(), 32);
  sink.text->WriteChars(u"end");

  auto in = Source(sink.bytes->written, TTextStream::ENCODING_UTF16LE);
  Bytes back(100);
  in->ReadBlock(back.data(), 100);
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(in->ReadI32(), -7);
  in->ReadBlock(back.data(), 32);
  EXPECT_EQ(Bytes(back.begin(), back.begin() + 32), Bytes(bytes.begin(), bytes.begin() + 32));
  EXPECT_EQ(in->ReadAllText(), u"end");
}

TEST(TTextStreamHex, ATerminatorMayBeLineFeedAloneOrTheEndOfData) {
  auto in = Source(Ascii(std::string(64, 'A') + "\n7\r\n" + std::string(64, '0')));
  Bytes back(32);
  in->ReadBlock(back.data(), 32);
  EXPECT_EQ(back, Bytes(32, 0xAA));
  EXPECT_EQ(in->ReadU8(), 7);
  in->ReadBlock(back.data(), 32);
  EXPECT_EQ(in->HexLineCount(), 32);
  EXPECT_EQ(in->ReadTextLine(), u"");
  EXPECT_EQ(in->HexLineCount(), 0);
}

TEST(TTextStreamHex, AnyOtherTerminatorIsMalformed) {
  Bytes back(33);
  for (const char* after : {"x1\r\n", "\rx\n"}) {
    auto in = Source(Ascii(std::string(64, 'A') + after));
    in->ReadBlock(back.data(), 32);
    ExpectThrownString([&] { in->ReadTextLine(); }, u"Malformed line terminator");
  }
  // A thirty-third byte straight after a full line.
  ExpectThrownString([&] { Source(Ascii(std::string(66, 'A')))->ReadBlock(back.data(), 33); },
                     u"Malformed line terminator");
}

TEST(TTextStreamHex, LowerCaseDigitsDecodeAndOtherCharactersFail) {
  unsigned char byte[4] = {};
  EXPECT_EQ(Source(Ascii("fa0b"))->Read(byte, 2), 2);
  EXPECT_EQ(byte[0], 0xFA);
  EXPECT_EQ(byte[1], 0x0B);
  for (const char* bad : {"G0", "0:", " 1", "-1"}) {
    EXPECT_THROW(Source(Ascii(bad))->Read(byte, 1), TStreamReadException) << bad;
  }
}

TEST(TTextStreamHex, DataEndingBetweenBytesEndsQuietlyButNotWithinOne) {
  unsigned char bytes[4] = {9, 9, 9, 9};
  auto in = Source(Ascii("0102"));
  EXPECT_EQ(in->ReadBlock(bytes, 4), 4);
  EXPECT_EQ(Bytes(bytes, bytes + 4), (Bytes{1, 2, 9, 9}));
  EXPECT_THROW(Source(Ascii("010"))->ReadBlock(bytes, 2), TStreamReadException);
}

TEST(TTextStreamTyped, NumbersAreDecimalLines) {
  Sink sink;
  sink.text->WriteU8(65);
  EXPECT_EQ(sink.Written(), "65\r\n");
  sink.text->WriteU16(70000);
  sink.text->WriteI32(std::numeric_limits<std::int32_t>::min());
  sink.text->WriteI64(std::numeric_limits<std::int64_t>::max());
  sink.text->WriteF32(0.1);
  sink.text->WriteF64(0.1);
  sink.text->WriteF64(-1e300);
  EXPECT_EQ(sink.Written(),
            "65\r\n4464\r\n-2147483648\r\n9223372036854775807\r\n0.1\r\n0.1\r\n-1e+300\r\n");

  auto in = Source(sink.bytes->written);
  EXPECT_EQ(in->ReadU8(), 65);
  EXPECT_EQ(in->ReadU16(), 4464);
  EXPECT_EQ(in->ReadI32(), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(in->ReadI64(), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(in->ReadF32(), 0.1f);
  EXPECT_EQ(in->ReadF64(), 0.1);
  EXPECT_EQ(in->ReadF64(), -1e300);
}

TEST(TTextStreamTyped, LinesThatAreNotNumbersReadAsTheirLeadingDigits) {
  auto in = Source(Ascii("12abc\n  -5\nhello\n300\n\n+2.5e1x\n"));
  EXPECT_EQ(in->ReadI32(), 12);
  EXPECT_EQ(in->ReadI64(), -5);
  EXPECT_EQ(in->ReadI32(), 0);
  EXPECT_EQ(in->ReadU8(), 300 & 0xFF);
  EXPECT_EQ(in->ReadF64(), 0.0);
  EXPECT_EQ(in->ReadF32(), 25.0f);
  EXPECT_EQ(in->ReadI32(), 0);  // past the end
}

TEST(TTextStreamEncodings, EachEncodingLaysOutCharactersItsOwnWay) {
  struct Case {
    int encoding;
    Bytes bytes;
  };
  const String text = u"A\u00E9\u20AC";
  for (const Case& c : {Case{TTextStream::ENCODING_LATIN1, {0x41, 0xE9, 0xAC}},
                        Case{TTextStream::ENCODING_UTF8, {0x41, 0xC3, 0xA9, 226, 130, 172}},
                        Case{TTextStream::ENCODING_UTF16BE, {0, 0x41, 0, 0xE9, 0x20, 0xAC}},
                        Case{TTextStream::ENCODING_UTF16LE, {0x41, 0, 0xE9, 0, 0xAC, 0x20}}}) {
    Sink sink(c.encoding);
    sink.text->WriteChars(text);
    EXPECT_EQ(sink.bytes->written, c.bytes) << c.encoding;
    Sink single(c.encoding);
    for (char16_t unit : text) single.text->WriteChar(unit);
    EXPECT_EQ(single.bytes->written, c.bytes) << c.encoding;
    if (c.encoding != TTextStream::ENCODING_LATIN1) {
      EXPECT_EQ(Source(c.bytes, c.encoding)->ReadChars(3), text) << c.encoding;
    }
  }
}

TEST(TTextStreamEncodings, Utf8CarriesTheEuroSignInThreeBytes) {
  Sink sink;
  sink.text->WriteChar(0x20AC);
  EXPECT_EQ(sink.bytes->written, (Bytes{226, 130, 172}));
  EXPECT_EQ(Source(sink.bytes->written)->ReadChar(), 0x20AC);
}

TEST(TTextStreamEncodings, CharactersBeyondSixteenBitsSurviveEveryUnicodeEncoding) {
  const String text = u"a\U0001F600b";
  for (int encoding :
       {TTextStream::ENCODING_UTF8, TTextStream::ENCODING_UTF16BE, TTextStream::ENCODING_UTF16LE}) {
    Sink sink(encoding);
    sink.text->WriteTextLine(text);
    if (encoding == TTextStream::ENCODING_UTF8) {
      EXPECT_EQ(sink.Written(),
                "a\xF0\x9F\x98\x80"
                "b\r\n");
    }
    EXPECT_EQ(Source(sink.bytes->written, encoding)->ReadTextLine(), text) << encoding;
  }
  EXPECT_EQ(Source(Ascii("\xF0\x9F\x98\x80"))->ReadChar(), 0x1F600);
  // A pair stored as two three-byte sequences still reads as the pair.
  EXPECT_EQ(Source(Ascii("\xED\xA0\xBD\xED\xB8\x80"))->ReadAllText(), u"\U0001F600");
}

TEST(TTextStreamLines, LineFeedOrZeroEndsALineAndCarriageReturnIsDropped) {
  auto in = Source(Ascii(std::string("ab\r\ncd\ne\rf") + '\0' + "last"));
  EXPECT_EQ(in->ReadTextLine(), u"ab");
  EXPECT_EQ(in->ReadTextLine(), u"cd");
  EXPECT_EQ(in->ReadTextLine(), u"ef");
  EXPECT_EQ(in->ReadTextLine(), u"last");
  EXPECT_TRUE(in->AtEnd());
  EXPECT_EQ(in->ReadTextLine(), u"");

  const String longLine(3000, u'\u0416');
  Sink sink(TTextStream::ENCODING_UTF16BE);
  sink.text->WriteTextLine(longLine);
  EXPECT_EQ(Source(sink.bytes->written, TTextStream::ENCODING_UTF16BE)->ReadTextLine(), longLine);
}

TEST(TTextStreamLines, ReadAllTextTakesEverythingAcrossShortReads) {
  const std::string utf8 = "line one\r\nzwei \xE2\x82\xAC\n\xF0\x9F\x98\x80 end";
  const String expected = u"line one\r\nzwei \u20AC\n\U0001F600 end";
  EXPECT_EQ(Source(Ascii(utf8))->ReadAllText(), expected);
  // One byte per Read splits every multi-byte character between reads.
  EXPECT_EQ(Source(Ascii(utf8), TTextStream::ENCODING_UTF8, std::deque<int>(utf8.size(), 1))
                ->ReadAllText(),
            expected);
  auto afterLine = Source(Ascii(utf8));
  afterLine->ReadTextLine();
  EXPECT_EQ(afterLine->ReadAllText(), expected.substr(10));
}

TEST(TTextStreamMalformed, DataEndingInsideACharacterFails) {
  for (int encoding : {TTextStream::ENCODING_UTF16BE, TTextStream::ENCODING_UTF16LE}) {
    EXPECT_THROW(Source({0x41}, encoding)->ReadChar(), TStreamReadException);
    EXPECT_THROW(Source({0, 0x41, 0}, encoding)->ReadAllText(), TStreamReadException);
  }
  for (const char* cut : {"\xE2", "\xE2\x82", "ok\xF0\x9F\x98"}) {
    EXPECT_THROW(Source(Ascii(cut))->ReadAllText(), TStreamReadException) << cut;
    EXPECT_THROW(Source(Ascii(cut))->ReadTextLine(), TStreamReadException) << cut;
  }
}

TEST(TTextStreamMalformed, BadUtf8SequencesReadAsReplacementCharacters) {
  // A stray continuation byte, a lead byte no character starts with, a continuation byte
  // missing, a code beyond the last one.
  EXPECT_EQ(Source(Ascii("\x80"
                         "a\xFF"
                         "b\xC3(c\xF4\x90\x80\x80"))
                ->ReadAllText(),
            u"\uFFFDa\uFFFDb\uFFFDc\uFFFD");
  EXPECT_EQ(Source(Ascii("\xE2(x\n"))->ReadTextLine(), u"\uFFFDx");
}

TEST(TTextStreamMalformed, EndOfDataReadsAsZero) {
  auto in = Source(Ascii("ab"));
  EXPECT_EQ(in->ReadChars(4), String(u"ab\0\0", 4));
  EXPECT_EQ(in->ReadChar(), 0);
}

TEST(TTextStreamMalformed, EndOfDataReadsAsZeroInEveryEncoding) {
  const struct {
    int encoding;
    Bytes bytes;
  } cases[] = {{TTextStream::ENCODING_LATIN1, Ascii("ab")},
               {TTextStream::ENCODING_UTF8, Ascii("ab")},
               {TTextStream::ENCODING_UTF16BE, {0, 'a', 0, 'b'}},
               {TTextStream::ENCODING_UTF16LE, {'a', 0, 'b', 0}}};
  for (const auto& c : cases) {
    auto in = Source(c.bytes, c.encoding);
    EXPECT_EQ(in->ReadChars(3), String(u"ab\0", 3)) << c.encoding;
    EXPECT_EQ(in->ReadChar(), 0) << c.encoding;
    EXPECT_EQ(Source({}, c.encoding)->ReadChar(), 0) << c.encoding;
  }
}

TEST(TTextStreamMalformed, ArbitraryBytesFailOnlyWithStreamErrors) {
  std::mt19937 random(1234);
  for (int round = 0; round < 400; ++round) {
    Bytes bytes(random() % 80);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(random() % 3 ? random() : '\n');
    const int encoding = 1 + round % 4;
    auto in = Source(bytes, encoding);
    try {
      unsigned char raw[40];
      while (!in->AtEnd()) {
        switch (random() % 5) {
          case 0:
            in->ReadTextLine();
            break;
          case 1:
            in->ReadBlock(raw, static_cast<int>(random() % 40));
            break;
          case 2:
            in->ReadF64();
            break;
          case 3:
            in->ReadChars(3);
            break;
          default:
            in->ReadAllText();
            break;
        }
      }
    } catch (const TStreamReadException&) {
    } catch (const TThrownString& e) {
      EXPECT_EQ(e.Value(), u"Malformed line terminator");
    }
  }
}

TEST(TTextStream, CreateNeedsAStreamAndAKnownEncoding) {
  EXPECT_TRUE(TTextStream::CreateTextStream(nullptr, TTextStream::ENCODING_UTF8).IsNull());
  for (int encoding : {0, 5, -1}) {
    EXPECT_TRUE(TTextStream::CreateTextStream(New<ScriptedStream>(Bytes{}), encoding).IsNull());
  }
  auto text = TTextStream::CreateTextStream(New<ScriptedStream>(Bytes{1, 2}), 3);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->Encoding(), TTextStream::ENCODING_UTF16BE);
  EXPECT_EQ(text->Length(), 2);
  EXPECT_EQ(text->ReadRawByte(), 1);
}

TEST(TTextStreamFactory, EncodingProtocolsWrapTheOpenedUrl) {
  StartupStreamModule();
  testing::TempDir dir;
  const std::string path = dir / "text.txt";
  auto out = OpenWriteStream("UTF16BE::" + path);
  ASSERT_TRUE(Cast<TTextStream>(out));
  EXPECT_EQ(Cast<TTextStream>(out)->Encoding(), TTextStream::ENCODING_UTF16BE);
  out->WriteTextLine(u"\u20AC1");
  out->WriteI32(42);
  out->Close();
  EXPECT_EQ(LoadBytes(path),
            (Bytes{0x20, 0xAC, 0, '1', 0, '\r', 0, '\n', 0, '4', 0, '2', 0, '\r', 0, '\n'}));
  auto in = OpenReadStream("utf16be::" + path);
  EXPECT_EQ(in->ReadTextLine(), u"\u20AC1");
  EXPECT_EQ(in->ReadI32(), 42);
  in->Close();
  auto nested = OpenReadStream("latin1::littleendian::" + path);
  EXPECT_EQ(nested->ReadChars(2), u"\x20\xAC");
  nested->Close();
  EXPECT_TRUE(OpenReadStream("utf8::" + dir / "missing.txt").IsNull());
}

TEST(TTextStreamFactory, TextIsAskedFirstAndByteOrderRightBeforeEmbeddedFiles) {
  StartupStreamModule();
  std::vector<std::string> kinds;
  for (auto factory = TStreamFactory::FirstFactory(); factory; factory = factory->NextFactory()) {
    if (Cast<TTextStreamFactory>(factory)) kinds.push_back("text");
    if (Cast<TXEndianStreamFactory>(factory)) kinds.push_back("xendian");
    if (Cast<TRamStreamFactory>(factory)) kinds.push_back("ram");
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"text", "xendian", "ram"}));
  auto first = TStreamFactory::FirstFactory();
  while (first && !Cast<TXEndianStreamFactory>(first)) first = first->NextFactory();
  ASSERT_TRUE(first);
  EXPECT_TRUE(Cast<TRamStreamFactory>(first->NextFactory()));
}

}  // namespace
}  // namespace corvax
