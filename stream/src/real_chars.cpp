#include "real_chars.h"

#include <charconv>

namespace corvax::real_chars {
namespace {

#if defined(__cpp_lib_to_chars)

template <class T>
std::string ShortestText(T value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

template <class T>
T Read(std::string_view text) {
  T value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

#else

template <class T>
std::string ShortestText(T value) {
  return from_printf::Shortest(value);
}

using from_printf::Read;

#endif

}  // namespace

std::string Shortest(float value) {
  return ShortestText(value);
}

std::string Shortest(double value) {
  return ShortestText(value);
}

float ReadFloat(std::string_view text) {
  return Read<float>(text);
}

double ReadDouble(std::string_view text) {
  return Read<double>(text);
}

}  // namespace corvax::real_chars
