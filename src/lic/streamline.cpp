#include "lic/streamline.h"

#include "grid/reg_grid.h"

namespace fastlic {

namespace {

// The field direction at q; tiny vectors (zero included) are used as they are.
Vector3D direction(const RegGrid& grid, const Point3D& q) {
  const Vector3D v = grid.sampleVector(q);
  return isTiny(v) ? v : normalized(v);
}

}  // namespace

void rk4Step(Point3D& p, double h) {
  const RegGrid& grid = *CurrentGrid;
  const Vector3D k1 = scaled(direction(grid, p), h);
  const Vector3D k2 = scaled(direction(grid, translated(p, scaled(k1, 0.5))), h);
  const Vector3D k3 = scaled(direction(grid, translated(p, scaled(k2, 0.5))), h);
  const Vector3D k4 = scaled(direction(grid, translated(p, k3)), h);
  // Summed left to right; another order changes the last bit of the positions.
  const Vector3D d =
      sum(sum(sum(divided(k1, 6.0), divided(k2, 3.0)), divided(k3, 3.0)), divided(k4, 6.0));
  moveBy(p, d);
}

void traceStreamline(Streamline& s, int i, int j) {
  const Point3D centre = pixelCentre(i, j);
  Point3D forward = centre;
  Point3D backward = centre;
  pointAt(s, 0) = centre;
  for (int k = 1; k <= kStreamlineSteps; ++k) {
    rk4Step(forward, kStepLength);
    pointAt(s, k) = forward;
    rk4Step(backward, -kStepLength);
    pointAt(s, -k) = backward;
  }
}

}  // namespace fastlic
