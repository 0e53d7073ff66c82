#pragma once
/// @file
/// @ingroup runtime
/// Text is immutable UTF-16; these helpers cross to 8-bit and UTF-8 explicitly.
#include <string>
#include <string_view>

namespace corvax {

/// Immutable text of UTF-16 code units.
using String = std::u16string;

/// Low 8 bits of every code unit: the platform-boundary rule for byte text.
std::string To8Bit(std::u16string_view text);
/// Widens every byte to one code unit (0-255).
String From8Bit(std::string_view bytes);

/// The text in UTF-8; a lone surrogate keeps its three-byte form, so it round-trips.
std::string ToUtf8(std::u16string_view text);
/// Malformed sequences decode to U+FFFD.
String FromUtf8(std::string_view utf8);

/// Changes only the letters A-Z.
String ToLowerAscii(std::u16string_view text);

}  // namespace corvax
