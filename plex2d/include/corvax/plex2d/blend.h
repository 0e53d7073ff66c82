#pragma once
/// @file
/// @ingroup plex2d
/// How drawn pixels combine with what is already on the screen.
namespace corvax {

/// Pixels pass only where alpha >= 0.5, without blending; the default of a new context.
inline constexpr int BLEND_MASK = 1;
/// Pixels replace the screen's, alpha ignored.
inline constexpr int BLEND_SOLID = 2;
/// source x alpha + destination x (1 - alpha)
inline constexpr int BLEND_ALPHA = 3;
/// source x alpha + destination
inline constexpr int BLEND_ADDITIVE = 4;
/// source x destination
inline constexpr int BLEND_MULTIPLY = 5;

}  // namespace corvax
