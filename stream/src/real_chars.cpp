#include "real_chars.h"

#include <charconv>

namespace corvax::real_chars {

#if defined(__cpp_lib_to_chars)

namespace {

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

#else

std::string Shortest(float value) {
  return from_printf::Shortest(value);
}

std::string Shortest(double value) {
  return from_printf::Shortest(value);
}

float ReadFloat(std::string_view text) {
  return from_printf::ReadFloat(text);
}

double ReadDouble(std::string_view text) {
  return from_printf::ReadDouble(text);
}

#endif

}  // namespace corvax::real_chars
