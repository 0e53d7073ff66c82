#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "real_chars.h"

namespace corvax::real_chars::from_printf {
namespace {

// printf's exponent form with the fewest significant digits that read back exactly.
template <class T>
std::string ShortestExponentForm(T value) {
  char buffer[64];
  for (int digits = 1;; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(value));
    const bool exact = std::is_same_v<T, float> ? std::strtof(buffer, nullptr) == value
                                                : std::strtod(buffer, nullptr) == value;
    if (exact || digits == std::numeric_limits<T>::max_digits10) return buffer;
  }
}

// The digits of "d.ddde±xx" laid out without an exponent; a whole number is written out
// exactly, as <charconv> writes it, not padded with zeros.
template <class T>
std::string FixedForm(T value, const std::string& digits, int exponent) {
  if (exponent < 0)
    return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  const auto point = static_cast<std::size_t>(exponent) + 1;
  if (point >= digits.size()) {
    char whole[400];
    std::snprintf(whole, sizeof whole, "%.0f", static_cast<double>(value));
    return whole;
  }
  return digits.substr(0, point) + "." + digits.substr(point);
}

}  // namespace

template <class T>
std::string Shortest(T value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  const std::string sign = std::signbit(value) ? "-" : "";
  const std::string exponentForm = ShortestExponentForm(std::fabs(value));
  const std::size_t e = exponentForm.find('e');
  std::string digits = exponentForm.substr(0, e);
  if (digits.size() > 1) digits.erase(1, 1);  // the point
  if (digits == "0") return sign + "0";
  const int exponent = std::atoi(exponentForm.c_str() + e + 1);
  const std::string fixed = FixedForm(std::fabs(value), digits, exponent);
  return sign + (fixed.size() <= exponentForm.size() ? fixed : exponentForm);
}

namespace {

// How many characters at the start of `text` make a real as from_chars reads one.
std::size_t RealLength(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i - start;
  };
  if (i < text.size() && text[i] == '-') ++i;
  for (const std::string_view word : {"infinity", "inf", "nan"}) {
    const std::string_view rest = text.substr(i, word.size());
    if (rest.size() == word.size() &&
        std::equal(rest.begin(), rest.end(), word.begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
      return i + word.size();
  }
  std::size_t count = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    count += digits();
  }
  if (count == 0) return 0;
  const std::size_t mantissaEnd = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return mantissaEnd;
  }
  return i;
}

}  // namespace

template <class T>
T Read(std::string_view text) {
  const std::string real(text.substr(0, RealLength(text)));
  if (real.empty()) return 0;
  errno = 0;
  const T value = std::is_same_v<T, float> ? std::strtof(real.c_str(), nullptr)
                                           : std::strtod(real.c_str(), nullptr);
  // Beyond the range from_chars leaves the value as it was; a subnormal result stands.
  if (errno == ERANGE && (value == 0 || std::isinf(value))) return 0;
  return value;
}

template std::string Shortest<float>(float value);
template std::string Shortest<double>(double value);
template float Read<float>(std::string_view text);
template double Read<double>(std::string_view text);

}  // namespace corvax::real_chars::from_printf
