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
  /// TStreamReadException.
  /// @param buffer Where the bytes go.
  /// @param count The number of bytes.
  /// @return The count passed in.
  /// @sa ReadAvailable
  virtual int ReadBlock(void* buffer, int count);
  /// ReadBlock's loop.
  /// @param buffer Where the bytes go.
  /// @param count The number of bytes asked for.
  /// @return How many bytes actually arrived.
  int ReadAvailable(void* buffer, int count);
  /// For a reader whose Read just delivered nothing: the stream may have reached its end while Read
  /// waited (a connection the peer closed), which ends the data quietly; anything else is a failed
  /// read and throws TStreamReadException.
  void ThrowUnlessAtEnd();
  /// Writes all count bytes; a Write of 0 bytes throws TStreamWriteException.
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The count passed in.
  virtual int WriteBlock(const void* buffer, int count);
  /// Skips up to count bytes, stopping quietly at the end of data.
  /// @param count The number of bytes.
  /// @return The number skipped.
  virtual int SkipForward(int count);

  /// Typed values are little-endian: U8 and U16 unsigned, I32 and I64 signed, F32 and F64 IEEE. A
  /// read at the end of data gives 0 for the missing bytes; a failed read throws
  /// TStreamReadException, a failed write TStreamWriteException.
  /// @return The next byte.
  /// @sa WriteU8
  virtual int ReadU8();
  /// @param value Written as its low byte.
  virtual void WriteU8(int value);
  /// @return The next 16 bits, unsigned.
  virtual int ReadU16();
  /// @param value Written as its low 16 bits.
  virtual void WriteU16(int value);
  /// @return The next signed 32 bits.
  virtual std::int32_t ReadI32();
  /// @param value The value.
  virtual void WriteI32(std::int32_t value);
  /// @return The next signed 64 bits.
  virtual std::int64_t ReadI64();
  /// @param value The value.
  virtual void WriteI64(std::int64_t value);
  /// @return The next IEEE single.
  virtual float ReadF32();
  /// @param value The value, rounded to float.
  virtual void WriteF32(double value);
  /// @return The next IEEE double.
  virtual double ReadF64();
  /// @param value The value.
  virtual void WriteF64(double value);

  /// One line of bytes ended by LF, a 0 byte or the end of data; CR bytes are dropped.
  /// @return The line, each byte one character.
  /// @sa WriteTextLine
  virtual String ReadTextLine();
  /// Writes the text's low bytes and CR LF.
  /// @param text The line.
  /// @return True only when both writes were complete.
  /// @sa ReadTextLine
  virtual bool WriteTextLine(const String& text);
  /// @param count The number of bytes.
  /// @return Those bytes, each one character of the same code.
  virtual String ReadChars(int count);
  /// Writes each character's low byte; nothing else (no length, no line end).
  /// @param text The characters.
  virtual void WriteChars(const String& text);

  /// Streams that serialise objects override this; others throw the String "Unable to read object".
  /// @return The object read.
  /// @sa TDataStream
  virtual Ref<Object> ReadObject();
  /// Streams that serialise objects override this; others throw the String "Unable to write
  /// object".
  /// @param object The object.
  /// @sa TDataStream
  virtual void WriteObject(const Ref<Object>& object);
};

}  // namespace corvax
