// Text decoding in each encoding. The first byte picks the encoding, the second the order of
// reads (lines, characters, all text, decimal numbers, hexadecimal blocks); the rest is the text.
// The whole input also goes through LoadText, which picks the encoding from a byte-order mark.
#include <cstddef>
#include <cstdint>

#include <corvax/runtime/exceptions.h>
#include <corvax/stream/ram_stream.h>
#include <corvax/stream/text_stream.h>
#include <corvax/stream/text_stream_files.h>

namespace {

using namespace corvax;

volatile std::size_t text_sink = 0;

Ref<TStream> Over(const std::uint8_t* data, std::size_t size) {
  return CreateRamStream(const_cast<std::uint8_t*>(data), static_cast<int>(size), true, false);
}

void ReadInTurns(const Ref<TTextStream>& text, unsigned order) {
  constexpr int kReads = 64;
  unsigned char block[80];
  for (int i = 0; i < kReads && !text->AtEnd(); ++i) {
    if (i % 16 == 15) {
      text_sink = text_sink + text->ReadAllText().size();
      continue;
    }
    switch (order >> (i % 4 * 2) & 3) {
      case 0:
        text_sink = text_sink + text->ReadTextLine().size();
        break;
      case 1:
        text_sink = text_sink + text->ReadChars(1 + i % 7).size() + text->ReadChar();
        break;
      case 2:
        text_sink = text_sink + static_cast<std::size_t>(text->ReadI32()) + text->ReadU8();
        static_cast<void>(text->ReadF64());
        break;
      default:
        text->ReadBlock(block, 1 + i * 7 % static_cast<int>(sizeof block - 1));
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    text_sink = text_sink + LoadText(Over(data, size)).size();
  } catch (const TException&) {
  }
  if (size < 2) return 0;
  const int encoding = TTextStream::ENCODING_LATIN1 + data[0] % 4;
  const Ref<TTextStream> text = TTextStream::CreateTextStream(Over(data + 2, size - 2), encoding);
  try {
    ReadInTurns(text, data[1]);
  } catch (const TException&) {
    // A clear refusal (bad data, a malformed hexadecimal line); anything else is a finding.
  }
  return 0;
}
