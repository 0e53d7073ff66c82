#pragma once
/// @file
/// @ingroup stream
/// Big-endian numbers over any stream: the typed operations reverse their bytes.
#include <corvax/stream/stream_factory.h>
#include <corvax/stream/stream_wrapper.h>

namespace corvax {

/// Only the multi-byte typed operations change; bytes, lines and blocks pass through unchanged.
class TXEndianStream : public TStreamWrapper {
 public:
  /// @return The next 16 bits, big-endian, zero-extended.
  int ReadU16() override;
  /// @param value Written as 16 bits, big-endian.
  void WriteU16(int value) override;
  /// @return The next signed 32 bits, big-endian.
  std::int32_t ReadI32() override;
  /// @param value Written big-endian.
  void WriteI32(std::int32_t value) override;
  /// @return The next signed 64 bits, big-endian.
  std::int64_t ReadI64() override;
  /// @param value Written big-endian.
  void WriteI64(std::int64_t value) override;
  /// @return The next IEEE single, big-endian.
  float ReadF32() override;
  /// @param value Rounded to single precision and written big-endian.
  void WriteF32(double value) override;
  /// @return The next IEEE double, big-endian.
  double ReadF64() override;
  /// @param value Written big-endian.
  void WriteF64(double value) override;

  /// Reverses 2 bytes in place.
  /// @param bytes The bytes.
  static void Swap2(unsigned char* bytes);
  /// Reverses 4 bytes in place.
  /// @param bytes The bytes.
  static void Swap4(unsigned char* bytes);
  /// Reverses 8 bytes in place.
  /// @param bytes The bytes.
  static void Swap8(unsigned char* bytes);

  /// @param stream The stream below.
  /// @return A swapping stream over it; Null for a Null stream.
  static Ref<TXEndianStream> CreateSwapped(Ref<TStream> stream);
  /// @param stream The stream below.
  /// @return A stream writing and reading big-endian values over stream; Null for a Null stream.
  static Ref<TXEndianStream> BigEndianStream(Ref<TStream> stream);
  /// The machine order is already little-endian, so the stream comes back as it is.
  /// @param stream The stream.
  /// @return The stream.
  static Ref<TStream> LittleEndianStream(Ref<TStream> stream);
};

/// The same as TXEndianStream::BigEndianStream.
/// @param stream The stream below.
/// @return A big-endian stream over it; Null for a Null stream.
Ref<TXEndianStream> BigEndianStream(Ref<TStream> stream);
/// The same as TXEndianStream::LittleEndianStream.
/// @param stream The stream.
/// @return The stream itself.
Ref<TStream> LittleEndianStream(Ref<TStream> stream);

/// "bigendian::<url>" wraps the opened url; "littleendian::<url>" is the opened url itself.
class TXEndianStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

}  // namespace corvax
