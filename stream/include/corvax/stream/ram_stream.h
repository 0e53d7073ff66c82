#pragma once
/// @file
/// @ingroup stream
/// A stream over a fixed block of memory it does not own, and the "incbin" protocol.
#include <corvax/stream/stream.h>
#include <corvax/stream/stream_factory.h>

namespace corvax {

/// A seekable stream over a fixed block of memory it does not own.
class TRamStream : public TStream {
 public:
  int Position() override { return position_; }
  int Length() override { return size_; }
  /// @param position The new position, clamped to 0..size.
  /// @return The new position.
  int SeekTo(int position) override;
  /// Stops at the end of the block; 0 without the readable flag.
  /// @param buffer Where the bytes go.
  /// @param count The number asked for.
  /// @return The number read.
  int Read(void* buffer, int count) override;
  /// Stops at the end of the block, which never grows; 0 without the writeable flag.
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The number written.
  int Write(const void* buffer, int count) override;

  /// @param data The memory, which must outlive the stream.
  /// @param size Its size in bytes.
  /// @param readable Whether reads are allowed.
  /// @param writeable Whether writes are allowed.
  /// @return A stream at position 0 over the memory.
  static Ref<TRamStream> CreateRamStream(void* data, int size, bool readable, bool writeable);

 private:
  TRamStream(void* data, int size, bool readable, bool writeable)
      : size_(size),
        data_(static_cast<unsigned char*>(data)),
        readable_(readable),
        writeable_(writeable) {}
  int position_ = 0;
  int size_;
  unsigned char* data_;
  bool readable_;
  bool writeable_;
};

/// The same as TRamStream::CreateRamStream.
/// @param data The memory, which must outlive the stream.
/// @param size Its size in bytes.
/// @param readable Whether reads are allowed.
/// @param writeable Whether writes are allowed.
/// @return A stream at position 0 over the memory.
Ref<TRamStream> CreateRamStream(void* data, int size, bool readable, bool writeable);

/// Answers "incbin" read requests from the embedded-file table.
class TRamStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

}  // namespace corvax
