#pragma once

#include <array>

#include "grid/point3d.h"

namespace fastlic {

/// Points traced in each direction from a seed.
inline constexpr int kStreamlineSteps = 19;
/// Signed arc length of one step, in cells, along the normalised field.
inline constexpr double kStepLength = 0.5;

/// The points of one streamline: forward points F1..F19 at 0..18, backward points B1..B19 at
/// 19..37 and the seed at 38.
struct Streamline {
  std::array<Point3D, 2 * kStreamlineSteps + 1> points{};
};

/// The point k steps from the seed, k in [-19, 19]: 0 is the seed, k > 0 is F_k, k < 0 is B_-k.
inline Point3D& pointAt(Streamline& s, int k) {
  return s.points[k == 0 ? 2 * kStreamlineSteps : (k > 0 ? k - 1 : kStreamlineSteps - 1 - k)];
}
inline const Point3D& pointAt(const Streamline& s, int k) {
  return s.points[k == 0 ? 2 * kStreamlineSteps : (k > 0 ? k - 1 : kStreamlineSteps - 1 - k)];
}

/// Advances p in place by one fourth-order Runge-Kutta step of signed length h along the field of
/// CurrentGrid, sampled by nearest cell and normalised unless tiny. A step that starts on a zero
/// vector does not move.
void rk4Step(Point3D& p, double h);

/// Fills all 39 points of s from the centre of cell (i, j) of CurrentGrid: 19 steps of +0.5 and
/// 19 of -0.5. Positions are not wrapped; only the field lookups wrap.
void traceStreamline(Streamline& s, int i, int j);

}  // namespace fastlic
