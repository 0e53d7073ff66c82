#include <corvax/stream/text_stream.h>

#include <vector>

#include <corvax/runtime/exceptions.h>
#include <corvax/stream/open_url.h>

#include "text_stream_codec.h"
#include "text_stream_numbers.h"

namespace corvax {
namespace {

using text_codec::AppendCode;
using text_codec::DecodeChar;

// One byte at a time from the inner stream, so nothing past the character is consumed.
class RawByteSource {
 public:
  explicit RawByteSource(TTextStream& stream) : stream_(stream) {}
  int First() { return stream_.ReadRawByte(); }
  int Next() {
    if (stream_.InnerStream()->AtEnd()) throw TStreamReadException();
    return stream_.ReadRawByte();
  }

 private:
  TTextStream& stream_;
};

// Large reads from the inner stream, for readers that take everything that is left.
class BufferedByteSource {
 public:
  explicit BufferedByteSource(TStream& stream) : stream_(stream), buffer_(64 * 1024) {}
  bool HasMore() { return position_ < filled_ || Refill(); }
  // Only after HasMore() said yes.
  int First() { return buffer_[position_++]; }
  int Next() {
    if (!HasMore()) throw TStreamReadException();
    return buffer_[position_++];
  }

 private:
  bool Refill() {
    if (stream_.AtEnd()) return false;
    const int n = stream_.Read(buffer_.data(), static_cast<int>(buffer_.size()));
    if (n <= 0) {
      // Nothing delivered before the end is a failure; waiting for more would never end.
      stream_.ThrowUnlessAtEnd();
      return false;
    }
    position_ = 0;
    filled_ = static_cast<std::size_t>(n);
    return true;
  }

  TStream& stream_;
  std::vector<unsigned char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
};

int HexDigitValue(int digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  throw TStreamReadException();
}

struct Protocol {
  std::u16string_view name;
  int encoding;
};

constexpr Protocol kProtocols[] = {{u"latin1", TTextStream::ENCODING_LATIN1},
                                   {u"utf8", TTextStream::ENCODING_UTF8},
                                   {u"utf16be", TTextStream::ENCODING_UTF16BE},
                                   {u"utf16le", TTextStream::ENCODING_UTF16LE}};

}  // namespace

Ref<TTextStream> TTextStream::CreateTextStream(Ref<TStream> stream, int encoding) {
  if (!stream || encoding < ENCODING_LATIN1 || encoding > ENCODING_UTF16LE) return nullptr;
  Ref<TTextStream> text(new TTextStream(encoding));
  text->SetInnerStream(std::move(stream));
  return text;
}

int TTextStream::Read(void* buffer, int count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  int done = 0;
  for (; done < count; ++done) {
    if (hexLineCount_ == kHexLineBytes) EndHexLineRead();
    if (inner_->AtEnd()) break;
    const int high = HexDigitValue(ReadRawByte());
    if (inner_->AtEnd()) throw TStreamReadException();
    const int low = HexDigitValue(ReadRawByte());
    bytes[done] = static_cast<unsigned char>(high << 4 | low);
    ++hexLineCount_;
  }
  return done;
}

int TTextStream::Write(const void* buffer, int count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  // Digits go out a line at a time rather than two bytes at a time.
  char line[2 * kHexLineBytes];
  int filled = 0;
  for (int i = 0; i < count; ++i) {
    line[filled++] = kDigits[bytes[i] >> 4];
    line[filled++] = kDigits[bytes[i] & 15];
    if (++hexLineCount_ == kHexLineBytes) {
      inner_->WriteBlock(line, filled);
      filled = 0;
      EndHexLineWrite();
    }
  }
  if (filled > 0) inner_->WriteBlock(line, filled);
  return count > 0 ? count : 0;
}

void TTextStream::EndHexLineRead() {
  if (hexLineCount_ == 0) return;
  hexLineCount_ = 0;
  // Data that ends with the line needs no terminator.
  if (inner_->AtEnd()) return;
  int byte = ReadRawByte();
  if (byte == '\r') {
    if (inner_->AtEnd()) return;
    byte = ReadRawByte();
  }
  if (byte != '\n') throw TThrownString(u"Malformed line terminator");
}

void TTextStream::EndHexLineWrite() {
  if (hexLineCount_ == 0) return;
  hexLineCount_ = 0;
  static const char kLineEnd[2] = {'\r', '\n'};
  inner_->WriteBlock(kLineEnd, 2);
}

int TTextStream::ReadChar() {
  // A clean end of data reads as 0 in every encoding, before a first byte is asked for.
  if (inner_->AtEnd()) return 0;
  RawByteSource source(*this);
  return DecodeChar(encoding_, source);
}

void TTextStream::WriteChar(int code) {
  auto put = [this](int byte) { WriteRawByte(byte); };
  text_codec::EncodeChar(encoding_, code, put);
}

String TTextStream::ReadTextLine() {
  EndHexLineRead();
  String line;
  RawByteSource source(*this);
  while (!inner_->AtEnd()) {
    const int code = DecodeChar(encoding_, source);
    if (code == 0 || code == '\n') break;
    if (code != '\r') AppendCode(line, code);
  }
  return line;
}

bool TTextStream::WriteTextLine(const String& text) {
  WriteChars(text);
  WriteChars(u"\r\n");
  return true;
}

String TTextStream::ReadChars(int count) {
  EndHexLineRead();
  String text;
  for (int i = 0; i < count; ++i) AppendCode(text, ReadChar());
  return text;
}

void TTextStream::WriteChars(const String& text) {
  EndHexLineWrite();
  // Encoded whole, then written in one block.
  std::string bytes;
  bytes.reserve(text.size());
  auto put = [&bytes](int byte) { bytes += static_cast<char>(byte); };
  text_codec::EncodeText(encoding_, text, put);
  inner_->WriteBlock(bytes.data(), static_cast<int>(bytes.size()));
}

String TTextStream::ReadAllText() {
  EndHexLineRead();
  String text;
  const int position = inner_->Position();
  if (position >= 0 && inner_->Length() > position) {
    text.reserve(static_cast<std::size_t>(inner_->Length() - position));
  }
  BufferedByteSource source(*inner_);
  while (source.HasMore()) AppendCode(text, DecodeChar(encoding_, source));
  return text;
}

int TTextStream::ReadU8() {
  return static_cast<int>(text_numbers::ParseInteger(ReadTextLine()) & 0xFF);
}
void TTextStream::WriteU8(int value) {
  WriteTextLine(text_numbers::FormatInteger(value & 0xFF));
}
int TTextStream::ReadU16() {
  return static_cast<int>(text_numbers::ParseInteger(ReadTextLine()) & 0xFFFF);
}
void TTextStream::WriteU16(int value) {
  WriteTextLine(text_numbers::FormatInteger(value & 0xFFFF));
}
std::int32_t TTextStream::ReadI32() {
  return static_cast<std::int32_t>(text_numbers::ParseInteger(ReadTextLine()));
}
void TTextStream::WriteI32(std::int32_t value) {
  WriteTextLine(text_numbers::FormatInteger(value));
}
std::int64_t TTextStream::ReadI64() {
  return text_numbers::ParseInteger(ReadTextLine());
}
void TTextStream::WriteI64(std::int64_t value) {
  WriteTextLine(text_numbers::FormatInteger(value));
}
float TTextStream::ReadF32() {
  return text_numbers::ParseFloat(ReadTextLine());
}
void TTextStream::WriteF32(double value) {
  WriteTextLine(text_numbers::FormatReal(static_cast<float>(value)));
}
double TTextStream::ReadF64() {
  return text_numbers::ParseDouble(ReadTextLine());
}
void TTextStream::WriteF64(double value) {
  WriteTextLine(text_numbers::FormatReal(value));
}

Ref<TStream> TTextStreamFactory::CreateStream(const Ref<Object>&, const String& protocol,
                                              const String& path, bool readable, bool writeable) {
  for (const Protocol& known : kProtocols) {
    if (protocol != known.name) continue;
    return TTextStream::CreateTextStream(OpenUrlStream(path, readable, writeable), known.encoding);
  }
  return nullptr;
}

}  // namespace corvax
