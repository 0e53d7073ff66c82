#include "gnet_wire.h"

#include <bit>

#include <corvax/net/gnet_object.h>
#include <corvax/runtime/exceptions.h>

namespace corvax::gnet_wire {

std::uint16_t FloatToHalf(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  const auto sign = static_cast<std::uint16_t>((bits >> 16) & 0x8000);
  const std::uint32_t exponent = (bits >> 23) & 0xFF;
  const std::uint32_t mantissa = bits & 0x7FFFFF;
  if ((bits & 0x7FFFFFFF) == 0) return sign;
  if (exponent == 255) return mantissa ? 0xFFFF : static_cast<std::uint16_t>(sign | 0x7C00);
  int e = static_cast<int>(exponent) - 127;
  if (e >= -14) {
    std::uint32_t rounded = mantissa + 0x1000;
    if (rounded & 0x800000) {
      rounded = 0;
      ++e;
    }
    if (e > 15) return static_cast<std::uint16_t>(sign | 0x7C00);
    return static_cast<std::uint16_t>(sign | (e + 15) << 10 | rounded >> 13);
  }
  // Below the normal range the value is a multiple of 2^-24 with the leading bit made explicit;
  // rounding up may reach the smallest normal number, whose bits follow on naturally.
  const int shift = -1 - e;
  if (shift > 24) return sign;
  const std::uint32_t full = 0x800000 | mantissa;
  return static_cast<std::uint16_t>(sign | ((full + (1u << (shift - 1))) >> shift));
}

float HalfToFloat(std::uint16_t half) {
  const std::uint32_t sign = (half & 0x8000u) << 16;
  const std::uint32_t exponent = (half >> 10) & 0x1F;
  const std::uint32_t mantissa = half & 0x3FF;
  if ((half & 0x7FFF) == 0) return 0.0f;
  if (exponent == 31) {
    if (mantissa) return 0.0f;
    return std::bit_cast<float>(sign | 0x7F800000);
  }
  if (exponent == 0) {
    const float magnitude = static_cast<float>(mantissa) * 0x1p-24f;
    return sign ? -magnitude : magnitude;
  }
  return std::bit_cast<float>(sign | (exponent - 15 + 127) << 23 | mantissa << 13);
}

namespace {

class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  bool Done() const { return next_ == bytes_.size(); }
  std::uint32_t Take(std::size_t count) {
    Need(count);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = value << 8 | bytes_[next_++];
    return value;
  }
  String TakeText(std::size_t count) {
    Need(count);
    String text(bytes_.begin() + static_cast<std::ptrdiff_t>(next_),
                bytes_.begin() + static_cast<std::ptrdiff_t>(next_ + count));
    next_ += count;
    return text;
  }

 private:
  void Need(std::size_t count) const {
    if (bytes_.size() - next_ < count) throw TThrownString(u"Corrupt GNet message");
  }
  const std::vector<std::uint8_t>& bytes_;
  std::size_t next_ = 0;
};

}  // namespace

std::vector<SlotRecord> ParseRecords(const std::vector<std::uint8_t>& bytes) {
  std::vector<SlotRecord> records;
  Reader reader(bytes);
  while (!reader.Done()) {
    const std::uint32_t tag = reader.Take(1);
    SlotRecord record;
    record.slot = static_cast<int>(tag & 31);
    record.type = static_cast<int>(tag >> 5);
    switch (record.type) {
      case GNET_INT:
        record.intValue = static_cast<int>(reader.Take(4));
        break;
      case GNET_BYTE:
        record.intValue = static_cast<int>(reader.Take(1));
        break;
      case GNET_SHORT:
        record.intValue = static_cast<int>(reader.Take(2));
        break;
      case GNET_FLOAT:
        record.floatValue = HalfToFloat(static_cast<std::uint16_t>(reader.Take(2)));
        break;
      case GNET_STRING:
        record.stringValue = reader.TakeText(reader.Take(2));
        break;
      default:
        throw TThrownString(u"Invalid GNet data type");
    }
    records.push_back(std::move(record));
  }
  return records;
}

bool RecordsAreValid(const std::vector<std::uint8_t>& bytes) {
  try {
    ParseRecords(bytes);
    return true;
  } catch (const TThrownString&) {
    return false;
  }
}

}  // namespace corvax::gnet_wire
