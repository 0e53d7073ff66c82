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
  /// Big-endian forms of the typed values.
  ///@{
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

  /// Reverses 2, 4 or 8 bytes in place.
  ///@{
  static void Swap2(unsigned char* bytes);
  static void Swap4(unsigned char* bytes);
  static void Swap8(unsigned char* bytes);
  ///@}

  /// Null for a Null stream.
  static Ref<TXEndianStream> CreateSwapped(Ref<TStream> stream);
  /// A stream writing and reading big-endian values over stream; Null for a Null stream.
  static Ref<TXEndianStream> BigEndianStream(Ref<TStream> stream);
  /// The machine order is already little-endian, so the stream comes back as it is.
  static Ref<TStream> LittleEndianStream(Ref<TStream> stream);
};

/// The same as the TXEndianStream functions of these names.
///@{
Ref<TXEndianStream> BigEndianStream(Ref<TStream> stream);
Ref<TStream> LittleEndianStream(Ref<TStream> stream);
///@}

/// "bigendian::<url>" wraps the opened url; "littleendian::<url>" is the opened url itself.
class TXEndianStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

}  // namespace corvax
