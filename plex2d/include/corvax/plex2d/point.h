#pragma once
/// @file
/// @ingroup plex2d
/// A position or a pair of factors as one value, for the calls that take or give x and y.
namespace corvax {

/// An x and a y: a place on the screen, or a horizontal and a vertical factor.
struct Point {
  float x = 0;  ///< Across.
  float y = 0;  ///< Down.

  /// @param other The point compared with.
  /// @return True when both coordinates are equal.
  constexpr bool operator==(const Point& other) const = default;
};

}  // namespace corvax
