#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <corvax/stream/stream.h>

namespace corvax {

// Buffered exact reads of little-endian file data. Image files are untrusted: data that ends
// before a value is complete throws TStreamReadException (ReadBlock would stop quietly and
// leave the rest of the value unset), which loaders pass on as a refusal.
class ByteReader {
 public:
  explicit ByteReader(TStream& stream) : stream_(stream) {}
  ByteReader(const ByteReader&) = delete;
  ByteReader& operator=(const ByteReader&) = delete;

  std::uint8_t U8() {
    if (next_ == end_) Refill();
    return buffer_[next_++];
  }
  std::uint16_t U16() {
    const std::uint8_t low = U8();
    return static_cast<std::uint16_t>(low | U8() << 8);
  }
  void Bytes(void* destination, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(destination);
    while (count > 0) {
      if (next_ == end_) Refill();
      const std::size_t n = count < end_ - next_ ? count : end_ - next_;
      std::memcpy(out, buffer_ + next_, n);
      next_ += n;
      out += n;
      count -= n;
    }
  }
  void Skip(std::uint64_t count) {
    while (count > 0) {
      if (next_ == end_) Refill();
      const std::size_t n = count < end_ - next_ ? static_cast<std::size_t>(count) : end_ - next_;
      next_ += n;
      count -= n;
    }
  }

  // False when the stream can tell its length and holds fewer than count more bytes, so a
  // lying size is refused before anything is allocated for it.
  bool CanHold(std::uint64_t count) {
    const int position = stream_.Position();
    if (position < 0) return true;
    const std::int64_t left = std::int64_t{stream_.Length()} - position + (end_ - next_);
    return left >= 0 && count <= static_cast<std::uint64_t>(left);
  }

  static std::uint16_t LittleU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
  }
  static std::uint32_t LittleU32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }

 private:
  void Refill() {
    if (stream_.AtEnd()) throw TStreamReadException();
    const int n = stream_.Read(buffer_, sizeof buffer_);
    if (n <= 0) throw TStreamReadException();
    next_ = 0;
    end_ = static_cast<std::size_t>(n);
  }

  TStream& stream_;
  std::size_t next_ = 0;
  std::size_t end_ = 0;
  std::uint8_t buffer_[16384];
};

}  // namespace corvax
