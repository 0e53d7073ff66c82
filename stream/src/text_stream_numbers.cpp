#include "text_stream_numbers.h"

#include <charconv>
#include <string>

#include "real_chars.h"

namespace corvax::text_numbers {
namespace {

std::size_t SkipBlanks(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  return i;
}

// The ASCII after leading blanks and a '+', up to the first other character.
std::string RealAscii(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  if (i < text.size() && text[i] == u'+') ++i;
  std::string ascii;
  for (; i < text.size() && text[i] < 128; ++i) ascii += static_cast<char>(text[i]);
  return ascii;
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
  return real_chars::ReadFloat(RealAscii(text));
}

double ParseDouble(std::u16string_view text) {
  return real_chars::ReadDouble(RealAscii(text));
}

String FormatInteger(std::int64_t value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return From8Bit(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

String FormatReal(float value) {
  return From8Bit(real_chars::Shortest(value));
}

String FormatReal(double value) {
  return From8Bit(real_chars::Shortest(value));
}

}  // namespace corvax::text_numbers
