#pragma once
/// @file
/// @ingroup app
/// The pointer demonstration's arithmetic: how the drawn pointer follows the mouse and where
/// its wrapped copies go. Needs no start-up: plain arithmetic, usable at any time.
#include <vector>

namespace corvax {

/// A pointer position in window pixels.
struct PointerPosition {
  /// Pixels from the left edge.
  int x;
  /// Pixels from the top edge.
  int y;
  /// @return True for the same position.
  bool operator==(const PointerPosition&) const = default;
};

/// 0.9 pixels per pixel of mouse offset from the centre, wrapping around the span. The fraction is
/// lost every frame, as on the x87 unit the motion was first tuned on: product and sum in extended
/// precision, only the sum rounded to single precision.
/// @param mouseOffset The mouse's offset from the centre along the axis.
/// @param position The pointer's position along the axis.
/// @param span The span (640 or 480).
/// @return The next position along the axis.
int NextPointerCoordinate(int mouseOffset, int position, int span);

/// @param position The pointer's position.
/// @param imageWidth The image's width.
/// @param imageHeight Its height.
/// @param screenWidth The screen's width.
/// @param screenHeight Its height.
/// @return Where the image is drawn: there, and at the opposite edges when it reaches past the
/// right or bottom edge of the screen.
std::vector<PointerPosition> PointerCopies(PointerPosition position, int imageWidth,
                                           int imageHeight, int screenWidth, int screenHeight);

}  // namespace corvax
