#pragma once
/// @file
/// @ingroup plex2d
/// How drawn pixels combine with what is already on the screen.
namespace corvax {

/// The blend modes SetBlendMode takes. Plain integers still work where a mode is taken: the
/// calls take int, so a mode read from a file or a table passes unchanged.
enum BlendMode : int {
  /// Pixels pass only where alpha >= 0.5, without blending; the default of a new context.
  BLEND_MASK = 1,
  /// Pixels replace the screen's, alpha ignored.
  BLEND_SOLID = 2,
  /// source x alpha + destination x (1 - alpha)
  BLEND_ALPHA = 3,
  /// source x alpha + destination
  BLEND_ADDITIVE = 4,
  /// source x destination
  BLEND_MULTIPLY = 5,
};

}  // namespace corvax
