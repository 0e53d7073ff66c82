#pragma once
// Decimal text of numbers, as text streams read and write them.
#include <cstdint>

#include <corvax/runtime/string.h>

namespace corvax::text_numbers {

// Leading blanks, an optional sign, then decimal digits up to the first other character;
// 0 when there are none. Values beyond 64 bits wrap.
std::int64_t ParseInteger(std::u16string_view text);
// Leading blanks, then the longest decimal or exponent form, rounded once to the type; 0 when
// there is none.
float ParseFloat(std::u16string_view text);
double ParseDouble(std::u16string_view text);

String FormatInteger(std::int64_t value);
// The shortest text that reads back as exactly the same value.
String FormatReal(float value);
String FormatReal(double value);

}  // namespace corvax::text_numbers
