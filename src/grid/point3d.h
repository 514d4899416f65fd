#pragma once

#include "grid/vector3d.h"

namespace fastlic {

/// A homogeneous point (w = 1); also an RGB colour with x, y, z as red, green, blue.
struct Point3D {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double w = 1.0;
};

/// The centre (i + 0.5, j + 0.5) of cell (i, j) in cell units.
inline Point3D pixelCentre(int i, int j) { return {i + 0.5, j + 0.5, 0.0, 1.0}; }

/// A new point p + v with w = 1.
inline Point3D translated(const Point3D& p, const Vector3D& v) {
  return {p.x + v.x, p.y + v.y, p.z + v.z, 1.0};
}

/// Moves p by v in place and resets its w to 1.
inline void moveBy(Point3D& p, const Vector3D& v) {
  p.x += v.x;
  p.y += v.y;
  p.z += v.z;
  p.w = 1.0;
}

/// x, y, z multiplied by s; w is kept.
inline Point3D scaled(const Point3D& p, double s) { return {s * p.x, s * p.y, s * p.z, p.w}; }

/// Component-wise p + q with w = 1.
inline Point3D added(const Point3D& p, const Point3D& q) {
  return {p.x + q.x, p.y + q.y, p.z + q.z, 1.0};
}

}  // namespace fastlic
