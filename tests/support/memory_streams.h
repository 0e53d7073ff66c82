#pragma once
// Streams that misbehave on purpose, and one that records what was done to it.
#include <algorithm>
#include <cstring>
#include <vector>

#include <corvax/stream/stream.h>

namespace corvax::testing {

// Takes at most limit bytes, then Write returns 0.
class LimitedStream : public TStream {
 public:
  explicit LimitedStream(int limit) : limit_(limit) {}
  int Position() override { return static_cast<int>(written.size()); }
  int Length() override { return static_cast<int>(written.size()); }
  int Write(const void* buffer, int count) override {
    const int n = std::min(count, limit_ - static_cast<int>(written.size()));
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    written.insert(written.end(), bytes, bytes + n);
    return n;
  }
  std::vector<unsigned char> written;

 private:
  int limit_;
};

// Reads from a copy of the bytes; counts Close calls; can refuse to seek.
class ProbeStream : public TStream {
 public:
  explicit ProbeStream(std::vector<unsigned char> data, bool seekable = true)
      : data_(std::move(data)), seekable_(seekable) {}
  int Position() override { return seekable_ ? position_ : -1; }
  int Length() override { return static_cast<int>(data_.size()); }
  bool AtEnd() override { return position_ == static_cast<int>(data_.size()); }
  int SeekTo(int position) override {
    if (!seekable_) return -1;
    position_ = std::clamp(position, 0, Length());
    return position_;
  }
  int Read(void* buffer, int count) override {
    const int n = std::min(count, Length() - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
  }
  int Close() override {
    ++closes;
    return 0;
  }
  int closes = 0;

 private:
  std::vector<unsigned char> data_;
  bool seekable_;
  int position_ = 0;
};

}  // namespace corvax::testing
