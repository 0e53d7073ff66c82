#pragma once
/// @file
/// @ingroup stream
/// Streams of characters in one of four encodings. Every typed operation is textual: numbers
/// travel as decimal lines and raw bytes as lines of upper-case hexadecimal digits.
#include <cstdint>

#include <corvax/stream/stream_factory.h>
#include <corvax/stream/stream_wrapper.h>

namespace corvax {

/// Characters over an inner byte stream in Latin-1, UTF-8, UTF-16BE or UTF-16LE.
class TTextStream : public TStreamWrapper {
 public:
  /// The encodings, as CreateTextStream and Encoding() give them.
  enum : int {
    ENCODING_LATIN1 = 1,
    ENCODING_UTF8 = 2,
    ENCODING_UTF16BE = 3,
    ENCODING_UTF16LE = 4,
    /// Deprecated: the earlier names, kept so that programs using them build.
    kLatin1 = ENCODING_LATIN1,
    kUtf8 = ENCODING_UTF8,
    kUtf16BE = ENCODING_UTF16BE,
    kUtf16LE = ENCODING_UTF16LE
  };
  /// Raw bytes per hexadecimal line.
  static constexpr int kHexLineBytes = 32;

  /// Raw bytes as hexadecimal: two digits per byte, CR LF after every 32 bytes. Accepts either case
  /// of digit and throws TStreamReadException on anything else or on a byte cut in half by the end
  /// of data; it stops early, without error, where the data ends.
  /// @param buffer Where the bytes go.
  /// @param count The number of bytes asked for.
  /// @return The number of bytes read.
  int Read(void* buffer, int count) override;
  /// Raw bytes as hexadecimal: two digits per byte, CR LF after every 32 bytes.
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The number of bytes written.
  int Write(const void* buffer, int count) override;

  /// One decimal number per line. A line that is not a number reads as the digits it starts with (0
  /// if none); 8- and 16-bit values are kept to their width both ways.
  /// @return The value.
  int ReadU8() override;
  /// @param value Written as a decimal line.
  void WriteU8(int value) override;
  /// @return The value of the next decimal line.
  int ReadU16() override;
  /// @param value Written as a decimal line.
  void WriteU16(int value) override;
  /// @return The value of the next decimal line.
  std::int32_t ReadI32() override;
  /// @param value Written as a decimal line.
  void WriteI32(std::int32_t value) override;
  /// @return The value of the next decimal line.
  std::int64_t ReadI64() override;
  /// @param value Written as a decimal line.
  void WriteI64(std::int64_t value) override;
  /// @return The value of the next decimal line.
  float ReadF32() override;
  /// @param value Written as a decimal line.
  void WriteF32(double value) override;
  /// @return The value of the next decimal line.
  double ReadF64() override;
  /// @param value Written as a decimal line.
  void WriteF64(double value) override;

  /// Ends at LF, at character 0 or at the end of data; CR is dropped.
  /// @return The line.
  String ReadTextLine() override;
  /// Writes the text and CR LF.
  /// @param text The line.
  /// @return True when both were written whole.
  bool WriteTextLine(const String& text) override;
  /// No line end is read.
  /// @param count The number of characters.
  /// @return The characters.
  String ReadChars(int count) override;
  /// No line end is added.
  /// @param text The characters.
  void WriteChars(const String& text) override;

  /// @return Everything left, without line handling.
  String ReadAllText();
  /// A malformed UTF-8 sequence reads as 0xFFFD. Data that ends inside a character throws
  /// TStreamReadException.
  /// @return One character's code, beyond 0xFFFF for a four-byte UTF-8 sequence; 0 at the end of
  /// data.
  /// @sa WriteChar
  int ReadChar();
  /// Codes the encoding cannot hold keep their low 8 (Latin-1) or 16 bits.
  /// @param code The character's code.
  void WriteChar(int code);

  /// @param stream The byte stream below.
  /// @param encoding kLatin1, kUtf8, kUtf16BE or kUtf16LE.
  /// @return The text stream; Null for a Null stream or an unknown encoding.
  static Ref<TTextStream> CreateTextStream(Ref<TStream> stream, int encoding);

  /// @return One byte of the inner stream, bypassing the encoding.
  int ReadRawByte() { return inner_->ReadU8(); }
  /// Writes one byte to the inner stream, bypassing the encoding.
  /// @param value The byte.
  void WriteRawByte(int value) { inner_->WriteU8(value); }
  /// After raw bytes, a textual operation first closes the open hexadecimal line. Reading accepts
  /// CR LF, LF alone or the end of data and throws the String "Malformed line terminator" for
  /// anything else.
  void EndHexLineRead();
  /// Closes the open hexadecimal line with CR LF.
  void EndHexLineWrite();

  /// @return One of kLatin1, kUtf8, kUtf16BE, kUtf16LE.
  int Encoding() const { return encoding_; }
  /// @return Bytes moved on the open hexadecimal line; 0 when none is open.
  int HexLineCount() const { return hexLineCount_; }

 private:
  explicit TTextStream(int encoding) : encoding_(encoding) {}

  int encoding_;
  int hexLineCount_ = 0;
};

/// "latin1", "utf8", "utf16be" and "utf16le" wrap the opened url in a text stream.
class TTextStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

}  // namespace corvax
