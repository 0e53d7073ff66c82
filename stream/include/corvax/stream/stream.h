#pragma once
/// @file
/// @ingroup stream
/// The stream interface: typed, block, line and object operations over TIO's raw bytes.
/// Multi-byte values are little-endian; a typed read that meets the end of data leaves 0 in the
/// bytes it could not read.
#include <cstdint>

#include <corvax/runtime/object.h>
#include <corvax/stream/io.h>
#include <corvax/stream/stream_exceptions.h>

namespace corvax {

/// A byte stream with typed, block, line and object operations. Subclasses implement TIO's
/// raw operations; everything here is built on them.
class TStream : public TIO {
 public:
  /// Reads until count bytes arrived or AtEnd(); a Read of 0 bytes before the end throws
  /// TStreamReadException. Returns the count passed in.
  virtual int ReadBlock(void* buffer, int count);
  /// ReadBlock's loop, returning how many bytes actually arrived.
  int ReadAvailable(void* buffer, int count);
  /// For a reader whose Read just delivered nothing: the stream may have reached its end while
  /// Read waited (a connection the peer closed), which ends the data quietly; anything else is a
  /// failed read and throws TStreamReadException.
  void ThrowUnlessAtEnd();
  /// Writes all count bytes; a Write of 0 bytes throws TStreamWriteException.
  virtual int WriteBlock(const void* buffer, int count);
  /// Skips up to count bytes, stopping quietly at the end of data.
  virtual int SkipForward(int count);

  /// Typed values, little-endian: U8 and U16 unsigned, I32 and I64 signed, F32 and F64 IEEE.
  /// A read at the end of data gives 0 for the missing bytes; a failed read throws
  /// TStreamReadException, a failed write TStreamWriteException. WriteF32 rounds to float.
  ///@{
  virtual int ReadU8();
  virtual void WriteU8(int value);
  virtual int ReadU16();
  virtual void WriteU16(int value);
  virtual std::int32_t ReadI32();
  virtual void WriteI32(std::int32_t value);
  virtual std::int64_t ReadI64();
  virtual void WriteI64(std::int64_t value);
  virtual float ReadF32();
  virtual void WriteF32(double value);
  virtual double ReadF64();
  virtual void WriteF64(double value);
  ///@}

  /// One line of bytes ended by LF, a 0 byte or the end of data; CR bytes are dropped.
  virtual String ReadTextLine();
  /// The text's low bytes and CR LF; true only when both writes were complete.
  virtual bool WriteTextLine(const String& text);
  /// Count bytes, each one character of the same code.
  virtual String ReadChars(int count);
  /// Each character's low byte; nothing else (no length, no line end).
  virtual void WriteChars(const String& text);

  /// Streams that serialise objects override these; others throw the String
  /// "Unable to read object" / "Unable to write object".
  ///@{
  virtual Ref<Object> ReadObject();
  virtual void WriteObject(const Ref<Object>& object);
  ///@}
};

}  // namespace corvax
