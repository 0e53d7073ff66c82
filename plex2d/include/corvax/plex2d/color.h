#pragma once
/// @file
/// @ingroup plex2d
/// A colour as one value, for the calls that take or give red, green and blue separately.
namespace corvax {

/// Red, green and blue, each 0-255. `Color{255, 128, 0}` is orange.
struct Color {
  int r = 0;  ///< Red.
  int g = 0;  ///< Green.
  int b = 0;  ///< Blue.

  /// @param other The colour compared with.
  /// @return True when all three channels are equal.
  constexpr bool operator==(const Color& other) const = default;
};

}  // namespace corvax
