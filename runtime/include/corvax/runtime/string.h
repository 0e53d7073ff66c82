#pragma once
/// @file
/// @ingroup runtime
/// Text is immutable UTF-16; these helpers cross to 8-bit and UTF-8 explicitly.
#include <string>
#include <string_view>

namespace corvax {

/// Immutable text of UTF-16 code units.
using String = std::u16string;

/// The platform-boundary rule for byte text.
/// @param text The text.
/// @return The low 8 bits of every code unit.
/// @sa From8Bit
std::string To8Bit(std::u16string_view text);
/// Widens every byte to one code unit (0-255).
/// @param bytes The byte text.
/// @return The text.
/// @sa To8Bit
String From8Bit(std::string_view bytes);

/// A lone surrogate keeps its three-byte form, so it round-trips.
/// @param text The text.
/// @return The text in UTF-8.
/// @sa FromUtf8
std::string ToUtf8(std::u16string_view text);
/// Malformed sequences decode to U+FFFD.
/// @param utf8 Text in UTF-8.
/// @return The text.
/// @sa ToUtf8
String FromUtf8(std::string_view utf8);

/// Changes only the letters A-Z.
/// @param text The text.
/// @return The text with A-Z lower-cased.
String ToLowerAscii(std::u16string_view text);

}  // namespace corvax
