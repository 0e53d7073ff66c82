#pragma once
/// @file
/// @ingroup plex2d
/// A rectangle as one value: its top-left corner and its size.
namespace corvax {

/// An axis-aligned rectangle; x and y are its top-left corner.
struct Rect {
  float x = 0;       ///< The left edge.
  float y = 0;       ///< The top edge.
  float width = 0;   ///< The size across.
  float height = 0;  ///< The size down.

  /// @param other The rectangle compared with.
  /// @return True when corner and size are equal.
  constexpr bool operator==(const Rect& other) const = default;
};

}  // namespace corvax
