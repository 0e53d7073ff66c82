#pragma once
/// @file
/// @ingroup plex2d
/// Sizes every 2D back end computes the same way, so that each draws the same shapes and
/// textures. Shared between back ends of the framework, not meant for programs.
namespace corvax::detail {

/// @param n Any number.
/// @return The smallest power of two >= n, and 1 for n <= 1.
int NextPowerOfTwo(int n);

/// Capped, so an oval too big to see cannot stall the program.
/// @param xr The radius across.
/// @param yr The radius down.
/// @return The segment count of an oval with these radii: |xr| + |yr|, at least 12, then down to
/// a multiple of 4.
int OvalSegments(float xr, float yr);

}  // namespace corvax::detail
