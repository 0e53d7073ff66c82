#pragma once
// The byte forms of slot values on the wire.
#include <cstdint>
#include <vector>

#include <corvax/runtime/string.h>

namespace corvax::gnet_wire {

// IEEE 754 half precision; ties round away from zero, NaN travels as 0xFFFF and arrives as 0.
std::uint16_t FloatToHalf(float value);
float HalfToFloat(std::uint16_t half);

struct SlotRecord {
  int slot = 0;
  int type = 0;
  int intValue = 0;
  float floatValue = 0;
  String stringValue;
};

// Throws "Invalid GNet data type" for an unknown tag and "Corrupt GNet message" for a record
// that runs past the end.
std::vector<SlotRecord> ParseRecords(const std::vector<std::uint8_t>& bytes);
bool RecordsAreValid(const std::vector<std::uint8_t>& bytes);

}  // namespace corvax::gnet_wire
