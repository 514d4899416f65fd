#pragma once

#include <cmath>

namespace fastlic {

/// A free vector; x runs along the grid rows, y along the columns.
struct Vector3D {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

/// Component-wise a + b.
inline Vector3D sum(const Vector3D& a, const Vector3D& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

/// Every component multiplied by s.
inline Vector3D scaled(const Vector3D& v, double s) { return {s * v.x, s * v.y, s * v.z}; }

/// v / s as v * (1 / s): the reciprocal is rounded first, which the picture depends on bit for bit.
inline Vector3D divided(const Vector3D& v, double s) {
  const double r = 1.0 / s;
  return {r * v.x, r * v.y, r * v.z};
}

/// x*x + y*y + z*z, summed in that order.
inline double squaredLength(const Vector3D& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }

/// Euclidean length; infinite when the squared length overflows.
inline double length(const Vector3D& v) { return std::sqrt(squaredLength(v)); }

/// v scaled to unit length through its reciprocal length; a zero vector gives NaNs, an overflowing
/// one gives zeros, so callers test isTiny first.
inline Vector3D normalized(const Vector3D& v) { return divided(v, length(v)); }

/// True when the squared length is below 1e-12; such vectors are never normalised.
inline bool isTiny(const Vector3D& v) { return squaredLength(v) < 1e-12; }

}  // namespace fastlic
