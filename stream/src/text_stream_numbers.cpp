#include "text_stream_numbers.h"

#include <charconv>
#include <string>

namespace corvax::text_numbers {
namespace {

std::size_t SkipBlanks(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  return i;
}

template <class T>
String Format(T value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return From8Bit(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

template <class T>
T ParseReal(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  if (i < text.size() && text[i] == u'+') ++i;
  std::string ascii;
  for (; i < text.size() && text[i] < 128; ++i) ascii += static_cast<char>(text[i]);
  T value = 0;
  std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  return value;
}

}  // namespace

std::int64_t ParseInteger(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  std::uint64_t magnitude = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - u'0');
  }
  return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
}

float ParseFloat(std::u16string_view text) {
  return ParseReal<float>(text);
}

double ParseDouble(std::u16string_view text) {
  return ParseReal<double>(text);
}

String FormatInteger(std::int64_t value) {
  return Format(value);
}

String FormatReal(float value) {
  return Format(value);
}

String FormatReal(double value) {
  return Format(value);
}

}  // namespace corvax::text_numbers
