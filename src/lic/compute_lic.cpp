#include "lic/compute_lic.h"

namespace fastlic {

double seedConvolve(RegGrid& grid, const Streamline& s, int& count) {
  count = 0;
  double total = 0.0;
  for (int k = -kKernelHalfLength; k <= kKernelHalfLength; ++k) {
    const Point3D& p = pointAt(s, k);
    if (grid.contains(p)) {
      total += grid.sampleTexture(p);
      ++count;
    }
  }
  const CellLocation seed = grid.locate(pointAt(s, 0));
  if (!seed.inside) return 0.0;
  // The reciprocal is taken first, as the incremental steps do, so all results round alike.
  const double result = total * (1.0 / count);
  grid.accum[seed.i][seed.j] += result;
  ++grid.hits[seed.i][seed.j];
  return result;
}

namespace {

// One incremental step: the window gains entering and loses leaving, then the new mean is
// recorded at centre.
void advance(RegGrid& grid, const Point3D& centre, const Point3D& entering, const Point3D& leaving,
             double& value, int& count) {
  const CellLocation at = grid.locate(centre);
  if (!at.inside) return;
  if (grid.contains(entering)) ++count;
  if (grid.contains(leaving)) --count;
  value = value + (grid.sampleTexture(entering) - grid.sampleTexture(leaving)) * (1.0 / count);
  grid.accum[at.i][at.j] += value;
  ++grid.hits[at.i][at.j];
}

}  // namespace

void advanceForward(RegGrid& grid, const Streamline& s, double& value, int m, int& count) {
  advance(grid, pointAt(s, m), pointAt(s, m + kKernelHalfLength),
          pointAt(s, m - kKernelHalfLength - 1), value, count);
}

void advanceBackward(RegGrid& grid, const Streamline& s, double& value, int m, int& count) {
  advance(grid, pointAt(s, m), pointAt(s, m - kKernelHalfLength),
          pointAt(s, m + kKernelHalfLength + 1), value, count);
}

void normalizeAccumulators(RegGrid& grid) {
  for (int i = 0; i < grid.rows; ++i) {
    double* accum = grid.accum[i];
    const int* hits = grid.hits[i];
    for (int j = 0; j < grid.cols; ++j) accum[j] = accum[j] / static_cast<double>(hits[j]);
  }
}

void computeLIC() {
  RegGrid& grid = *CurrentGrid;
  Streamline s;
  for (int i = 0; i < grid.rows; ++i) {
    for (int j = 0; j < grid.cols; ++j) {
      if (grid.hits[i][j] >= kHitThreshold) continue;
      traceStreamline(s, i, j);
      int seedCount = 0;
      const double seedResult = seedConvolve(grid, s, seedCount);
      double value = seedResult;
      int count = seedCount;
      for (int m = 1; m <= kCentresPerDirection; ++m) advanceForward(grid, s, value, m, count);
      value = seedResult;
      count = seedCount;
      for (int m = 1; m <= kCentresPerDirection; ++m) advanceBackward(grid, s, value, -m, count);
    }
  }
  normalizeAccumulators(grid);
}

}  // namespace fastlic
