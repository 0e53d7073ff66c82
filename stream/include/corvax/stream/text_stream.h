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
  enum : int { kLatin1 = 1, kUtf8 = 2, kUtf16BE = 3, kUtf16LE = 4 };
  /// Raw bytes per hexadecimal line.
  static constexpr int kHexLineBytes = 32;

  /// Raw bytes as hexadecimal: two digits per byte, CR LF after every 32 bytes. Read accepts
  /// either case of digit and throws TStreamReadException on anything else or on a byte cut in
  /// half by the end of data; it stops early, without error, where the data ends.
  ///@{
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  ///@}

  /// One decimal number per line. A line that is not a number reads as the digits it starts
  /// with (0 if none); 8- and 16-bit values are kept to their width both ways.
  ///@{
  int ReadU8() override;
  void WriteU8(int value) override;
  int ReadU16() override;
  void WriteU16(int value) override;
  std::int32_t ReadI32() override;
  void WriteI32(std::int32_t value) override;
  std::int64_t ReadI64() override;
  void WriteI64(std::int64_t value) override;
  float ReadF32() override;
  void WriteF32(double value) override;
  double ReadF64() override;
  void WriteF64(double value) override;
  ///@}

  /// Ends at LF, at character 0 or at the end of data; CR is dropped.
  String ReadTextLine() override;
  /// The text and CR LF.
  bool WriteTextLine(const String& text) override;
  /// count characters, and back; no line end is added.
  ///@{
  String ReadChars(int count) override;
  void WriteChars(const String& text) override;
  ///@}

  /// Everything left, without line handling.
  String ReadAllText();
  /// One character's code, beyond 0xFFFF for a four-byte UTF-8 sequence; a malformed UTF-8
  /// sequence reads as 0xFFFD. Data that ends inside a character throws TStreamReadException;
  /// at the end of data the code is 0.
  int ReadChar();
  /// Codes the encoding cannot hold keep their low 8 (Latin-1) or 16 bits.
  void WriteChar(int code);

  /// Null for a Null stream or an unknown encoding.
  static Ref<TTextStream> CreateTextStream(Ref<TStream> stream, int encoding);

  /// One byte of the inner stream, bypassing the encoding.
  ///@{
  int ReadRawByte() { return inner_->ReadU8(); }
  void WriteRawByte(int value) { inner_->WriteU8(value); }
  ///@}
  /// After raw bytes, a textual operation first closes the open hexadecimal line. Reading
  /// accepts CR LF, LF alone or the end of data and throws the String
  /// "Malformed line terminator" for anything else.
  ///@{
  void EndHexLineRead();
  void EndHexLineWrite();
  ///@}

  /// One of kLatin1, kUtf8, kUtf16BE, kUtf16LE.
  int Encoding() const { return encoding_; }
  /// Bytes moved on the open hexadecimal line; 0 when none is open.
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
