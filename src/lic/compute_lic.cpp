#include "lic/compute_lic.h"

#include "lic/flow_table.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// The straightforward pass, through traceStreamline and the grid's own lookups. It serves fields
// whose directions are not all bounded (NaN or infinite vectors), where positions can go anywhere.
void computeLicByLookup(RegGrid& grid) {
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
}

// Seeds traced together. Their Runge-Kutta chains are independent, so the processor overlaps
// them; a seed is traced ahead of its turn and its trace dropped if, by then, earlier streamlines
// have given its cell enough hits.
constexpr int kSeedsPerBatch = 16;
constexpr int kLanes = 2 * kSeedsPerBatch;  // a forward and a backward chain per seed
constexpr int kPoints = 2 * kStreamlineSteps + 1;

// The table indices of one streamline's points, indexed by step + 19 (so the seed is at 19).
using PointIndices = int[kPoints];

// A position or a step as one pair, so that each operation acts on x and y together. Each lane
// is an ordinary IEEE double operation, so the results are those of the scalar formulas.
using Pair = double __attribute__((vector_size(16)));
using IntPair = int __attribute__((vector_size(8)));

// Table index of a position: both coordinates truncated toward zero at once, then combined.
struct PlainIndexer {
  explicit PlainIndexer(const FlowTable& table) : table(table) {}
  int operator()(Pair p) const {
    const IntPair t = __builtin_convertvector(p, IntPair);
    return table.indexOfTruncated(t[0], t[1]);
  }
  const FlowTable& table;
};

#if defined(__SSE2__)
// The same index from one multiply-add of the truncated pair as 16-bit integers, which needs every
// truncated coordinate and twice the table width to fit 16 bits. The result is twice the index.
struct PackedIndexer {
  explicit PackedIndexer(const FlowTable& table)
      : weights(_mm_set1_epi32(static_cast<int>((2u << 16) | static_cast<unsigned>(2 * table.width())))),
        originTimesTwo(2 * table.indexOfTruncated(0, 0)) {}
  static bool fits(const FlowTable& table) {
    return table.height() < 32768 - FlowTable::kMargin && 2 * table.width() < 32768;
  }
  int operator()(Pair p) const {
    const __m128i truncated = _mm_cvttpd_epi32(__m128d(p));
    const __m128i pair16 = _mm_packs_epi32(truncated, truncated);
    return (_mm_cvtsi128_si32(_mm_madd_epi16(pair16, weights)) + originTimesTwo) >> 1;
  }
  __m128i weights;
  int originTimesTwo;
};
#endif

template <typename Indexer>
void traceBatch(const FlowTable& table, const Indexer& indexOf, int cols, const int* seeds,
                int seedCount, PointIndices* points) {
  const int lanes = 2 * seedCount;
  Pair position[kLanes];
  Pair step[kLanes];
  int at[kLanes];
  for (int lane = 0; lane < lanes; ++lane) {
    const int cell = seeds[lane / 2];
    const Point3D c = pixelCentre(cell / cols, cell % cols);
    position[lane] = Pair{c.x, c.y};
    const double h = (lane & 1) ? -kStepLength : kStepLength;
    step[lane] = Pair{h, h};
    at[lane] = indexOf(position[lane]);
  }
  for (int s = 0; s < seedCount; ++s) points[s][kStreamlineSteps] = at[2 * s];

  const auto directionAt = [&table](int index) {
    const FlowTable::Direction& d = table.direction(index);
    return Pair{d.x, d.y};
  };
  // rk4Step with the same operations in the same order; z is always zero and is left out.
  const Pair half = {0.5, 0.5};
  const Pair sixth = {1.0 / 6.0, 1.0 / 6.0};
  const Pair third = {1.0 / 3.0, 1.0 / 3.0};
  // Each stage of the step runs across all lanes before the next, so the independent chains sit
  // side by side in the instruction stream and the processor overlaps their latencies.
  Pair k1[kLanes];
  Pair k2[kLanes];
  Pair k3[kLanes];
  int next[kLanes];
  for (int k = 1; k <= kStreamlineSteps; ++k) {
    for (int lane = 0; lane < lanes; ++lane) {
      k1[lane] = step[lane] * directionAt(at[lane]);
      next[lane] = indexOf(position[lane] + half * k1[lane]);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      k2[lane] = step[lane] * directionAt(next[lane]);
      next[lane] = indexOf(position[lane] + half * k2[lane]);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      k3[lane] = step[lane] * directionAt(next[lane]);
      next[lane] = indexOf(position[lane] + k3[lane]);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      const Pair k4 = step[lane] * directionAt(next[lane]);
      position[lane] =
          position[lane] + (((sixth * k1[lane] + third * k2[lane]) + third * k3[lane]) + sixth * k4);
      at[lane] = indexOf(position[lane]);
    }
    for (int s = 0; s < seedCount; ++s) {
      points[s][kStreamlineSteps + k] = at[2 * s];
      points[s][kStreamlineSteps - k] = at[2 * s + 1];
    }
  }
}

// seedConvolve, advanceForward and advanceBackward on table indices, with the same arithmetic.
void convolveTraced(const FlowTable& table, const PointIndices& points, int* hits, double* accum) {
  const int* p = points + kStreamlineSteps;  // p[k] is the point k steps from the seed
  int seedCount = 0;
  double total = 0.0;
  for (int k = -kKernelHalfLength; k <= kKernelHalfLength; ++k) {
    if (table.cell(p[k]) >= 0) {
      total += table.texture(p[k]);
      ++seedCount;
    }
  }
  const int seedCell = table.cell(p[0]);
  double seedResult = 0.0;
  if (seedCell >= 0) {
    seedResult = total * (1.0 / seedCount);
    accum[seedCell] += seedResult;
    ++hits[seedCell];
  }
  for (const int direction : {1, -1}) {
    double value = seedResult;
    int count = seedCount;
    for (int m = 1; m <= kCentresPerDirection; ++m) {
      const int centre = table.cell(p[direction * m]);
      if (centre < 0) continue;
      const int entering = p[direction * (m + kKernelHalfLength)];
      const int leaving = p[direction * (m - kKernelHalfLength - 1)];
      if (table.cell(entering) >= 0) ++count;
      if (table.cell(leaving) >= 0) --count;
      value = value + (table.texture(entering) - table.texture(leaving)) * (1.0 / count);
      accum[centre] += value;
      ++hits[centre];
    }
  }
}

template <typename Indexer>
void computeLicByTable(RegGrid& grid, const FlowTable& table, const Indexer& indexOf) {
  int* hits = grid.hits.data();
  double* accum = grid.accum.data();
  const int cells = grid.rows * grid.cols;
  int seeds[kSeedsPerBatch];
  PointIndices points[kSeedsPerBatch];
  int next = 0;
  while (next < cells) {
    // A cell passed over here already has enough hits, and hits only grow.
    int seedCount = 0;
    for (; next < cells && seedCount < kSeedsPerBatch; ++next)
      if (hits[next] < kHitThreshold) seeds[seedCount++] = next;
    traceBatch(table, indexOf, grid.cols, seeds, seedCount, points);
    for (int s = 0; s < seedCount; ++s) {
      if (hits[seeds[s]] >= kHitThreshold) continue;  // covered since it was traced
      convolveTraced(table, points[s], hits, accum);
    }
  }
}

}  // namespace

void computeLIC() {
  RegGrid& grid = *CurrentGrid;
  const FlowTable table(grid);
  if (!table.bounded()) {
    computeLicByLookup(grid);
  }
#if defined(__SSE2__)
  else if (PackedIndexer::fits(table)) {
    computeLicByTable(grid, table, PackedIndexer(table));
  }
#endif
  else {
    computeLicByTable(grid, table, PlainIndexer(table));
  }
  normalizeAccumulators(grid);
}

}  // namespace fastlic
