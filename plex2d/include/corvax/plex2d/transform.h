#pragma once
/// @file
/// @ingroup plex2d
/// The 2x2 matrix that rotation and scale give every shape drawn: a local point (x, y) lands at
/// (tx + x*ix + y*iy, ty + x*jx + y*jy).
namespace corvax {

/// A 2 x 2 matrix applied to shape and image points (see TransformPoint); identity by default.
struct Transform2D {
  /// The matrix entries: x' = x*ix + y*iy, y' = x*jx + y*jy.
  ///@{
  float ix = 1.0f;
  float iy = 0.0f;
  float jx = 0.0f;
  float jy = 1.0f;
  ///@}

  /// @return True when all four entries are equal.
  bool operator==(const Transform2D&) const = default;
};

/// Sine and cosine are rounded to single precision before scaling.
/// @param degrees The rotation, clockwise on screen.
/// @param scaleX The scale across.
/// @param scaleY The scale down.
/// @return The matrix.
Transform2D RotationScaleTransform(float degrees, float scaleX, float scaleY);

/// A rotation and a scale as one value, the way SetRotationAndScale takes them; the default
/// leaves a shape as it is. RotationScaleTransform turns it into the matrix.
struct RotationScale {
  float rotation = 0;  ///< Degrees, clockwise on screen.
  float scaleX = 1;    ///< The scale across.
  float scaleY = 1;    ///< The scale down.

  /// @return True when rotation and both scales are equal.
  bool operator==(const RotationScale&) const = default;
};

/// RotationScaleTransform with rotation and scale as one value.
/// @param rotationScale The rotation and scale.
/// @return The matrix.
inline Transform2D RotationScaleTransform(const RotationScale& rotationScale) {
  return RotationScaleTransform(rotationScale.rotation, rotationScale.scaleX, rotationScale.scaleY);
}

/// Computes (tx + x*ix + y*iy, ty + x*jx + y*jy) in single precision.
/// @param m The matrix.
/// @param x The local point's x.
/// @param y The local point's y.
/// @param tx Added to x after the matrix.
/// @param ty Added to y after the matrix.
/// @param[out] outX The point's x.
/// @param[out] outY The point's y.
inline void TransformPoint(const Transform2D& m, float x, float y, float tx, float ty, float& outX,
                           float& outY) {
  outX = tx + x * m.ix + y * m.iy;
  outY = ty + x * m.jx + y * m.jy;
}

}  // namespace corvax
