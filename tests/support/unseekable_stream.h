#pragma once
// A stream that cannot seek or tell its length, like a pipe or a socket: Position is -1 and
// the end shows only through AtEnd.
#include <algorithm>
#include <cstring>
#include <vector>

#include <corvax/stream/stream.h>

namespace corvax::testing {

class UnseekableStream : public TStream {
 public:
  explicit UnseekableStream(std::vector<unsigned char> data, int chunk = 1 << 30)
      : data_(std::move(data)), chunk_(chunk) {}

  bool AtEnd() override { return position_ == static_cast<int>(data_.size()); }
  int Read(void* buffer, int count) override {
    count = std::min({count, chunk_, static_cast<int>(data_.size()) - position_});
    if (count <= 0) return 0;
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(count));
    position_ += count;
    return count;
  }
  int Close() override {
    ++closes;
    return 0;
  }

  int closes = 0;

 private:
  std::vector<unsigned char> data_;
  int chunk_;
  int position_ = 0;
};

}  // namespace corvax::testing
