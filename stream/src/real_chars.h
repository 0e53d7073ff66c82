#pragma once
// The shortest decimal text that reads back as exactly the same real, and the reading of such
// text, as <charconv> gives them. Where the standard library's <charconv> has integers only
// (libc++ 13, the browser build's) the same texts come from printf's digits and strtod.
#include <string>
#include <string_view>

namespace corvax::real_chars {

// Fixed or exponent form, whichever is shorter (fixed on a tie): "0.1", "-1e+300", "inf".
std::string Shortest(float value);
std::string Shortest(double value);
// The longest real at the start of `text` (an optional '-', digits with an optional point and
// exponent, or "inf"/"nan"); 0 when there is none or it lies beyond the type's range.
float ReadFloat(std::string_view text);
double ReadDouble(std::string_view text);

// The same results made from printf's digits and read with strtod: what the functions above
// are where <charconv> has integers only, and what the tests hold against <charconv> elsewhere.
// Defined for float and double.
namespace from_printf {
template <class T>
std::string Shortest(T value);
template <class T>
T Read(std::string_view text);
}  // namespace from_printf

}  // namespace corvax::real_chars
