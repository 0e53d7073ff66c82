#pragma once
/// @file
/// @ingroup graphics
/// Choosing the display mode for a full-screen request among the modes a display offers, the
/// same way for every graphics back end. Shared between back ends of the framework, not meant
/// for programs.
#include <optional>
#include <vector>

namespace corvax {

/// One mode a display offers.
struct DisplayModeEntry {
  int width = 0;         ///< In pixels.
  int height = 0;        ///< In pixels.
  int bitsPerPixel = 0;  ///< Colour depth.
  int hertz = 0;         ///< Refresh rate; 0 when the display does not tell.
};

/// The mode chosen for a request.
struct DisplayModeChoice {
  int index = -1;         ///< Into the offered list.
  bool rateKept = false;  ///< Whether the requested refresh rate is part of the mode.
};

/// The size must match exactly. The refresh rate is kept when the display offers it at that size;
/// otherwise the mode is taken without it, as a second attempt. A matching colour depth is
/// preferred, but X displays run at one depth, so another depth of the same size still serves.
/// @param offered The modes the display offers.
/// @param width The requested width.
/// @param height The requested height.
/// @param depth The requested bits per pixel.
/// @param hertz The requested refresh rate.
/// @return The mode for the full-screen request; nothing when no mode has the size.
std::optional<DisplayModeChoice> ChooseDisplayMode(const std::vector<DisplayModeEntry>& offered,
                                                   int width, int height, int depth, int hertz);

}  // namespace corvax
