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
  /// Clamped to 0..size.
  int SeekTo(int position) override;
  /// Both stop at the end of the block; 0 without the matching flag. The block never grows.
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;

  /// A stream at position 0 over size bytes at data, which must outlive it.
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
Ref<TRamStream> CreateRamStream(void* data, int size, bool readable, bool writeable);

/// Answers "incbin" read requests from the embedded-file table.
class TRamStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

}  // namespace corvax
