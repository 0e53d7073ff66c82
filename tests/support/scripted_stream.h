#pragma once
// A stream whose Read hands out scripted chunk sizes, for testing the generic algorithms.
#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include <corvax/stream/stream.h>

namespace corvax::testing {

class ScriptedStream : public TStream {
 public:
  explicit ScriptedStream(std::vector<unsigned char> data, std::deque<int> chunks = {})
      : data_(std::move(data)), chunks_(std::move(chunks)) {}

  int Position() override { return position_; }
  int Length() override { return static_cast<int>(data_.size()); }
  int Read(void* buffer, int count) override {
    ++reads;
    if (!chunks_.empty()) {
      count = std::min(count, chunks_.front());
      chunks_.pop_front();
    }
    count = std::min(count, Length() - position_);
    if (count > 0) std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(count));
    position_ += std::max(count, 0);
    return std::max(count, 0);
  }
  int Write(const void* buffer, int count) override {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    if (!chunks_.empty()) {
      count = std::min(count, chunks_.front());
      chunks_.pop_front();
    }
    written.insert(written.end(), bytes, bytes + count);
    return count;
  }

  int reads = 0;
  std::vector<unsigned char> written;

 private:
  std::vector<unsigned char> data_;
  std::deque<int> chunks_;
  int position_ = 0;
};

}  // namespace corvax::testing
