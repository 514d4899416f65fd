#include "lic/compute_lic.h"

#include "lic/flow_table.h"

#if defined(__SSE2__)
#include <immintrin.h>
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
constexpr int kSeedsPerBatch = 8;
constexpr int kLanes = 2 * kSeedsPerBatch;  // a forward and a backward chain per seed
constexpr int kPoints = 2 * kStreamlineSteps + 1;

// A position or a step as one pair, so that each operation acts on x and y together. Each lane
// is an ordinary IEEE double operation, so the results are those of the scalar formulas.
using Pair = double __attribute__((vector_size(16)));
using IntPair = int __attribute__((vector_size(8)));

// Turns positions into keys for the direction lookup, and keys into table indices.
struct PlainIndexer {
  explicit PlainIndexer(const FlowTable& table) : table(table) {}
  int key(Pair p) const {
    const IntPair t = __builtin_convertvector(p, IntPair);  // truncation toward zero
    return table.indexOf(t[0], t[1]);
  }
  Pair direction(int key) const {
    const double* d = table.directions() + 2 * static_cast<std::ptrdiff_t>(key);
    return Pair{d[0], d[1]};
  }
  int index(int key) const { return key; }
  const FlowTable& table;
};

#if defined(__SSE2__)
// The same lookup from one multiply-add of the truncated pair as 16-bit integers: the key is twice
// the index relative to truncated (0, 0), which is just the offset of its direction in doubles.
// Needs every truncated coordinate and twice the table width to fit 16 bits.
struct PackedIndexer {
  explicit PackedIndexer(const FlowTable& table)
      : weights(_mm_set1_epi32(
            static_cast<int>((2u << 16) | static_cast<unsigned>(2 * table.width())))),
        origin(table.indexOf(0, 0)),
        directionOrigin(table.directions() + 2 * static_cast<std::ptrdiff_t>(origin)) {}
  static bool fits(const FlowTable& table) {
    return table.height() < 32768 - FlowTable::kMargin && 2 * table.width() < 32768;
  }
  int key(Pair p) const {
    const __m128i truncated = _mm_cvttpd_epi32(__m128d(p));
    return _mm_cvtsi128_si32(_mm_madd_epi16(_mm_packs_epi32(truncated, truncated), weights));
  }
  Pair direction(int key) const { return Pair(_mm_loadu_pd(directionOrigin + key)); }
  int index(int key) const { return (key >> 1) + origin; }
  __m128i weights;
  int origin;
  const double* directionOrigin;
};
#endif

// The keys of one streamline's points, indexed by step + 19 (so the seed is at 19).
using PointKeys = int[kPoints];

// traceStreamline for several seeds at once: rk4Step with the same operations in the same order
// (z is always zero and is left out).
// Always a full batch, so that every loop over the lanes has a fixed count the compiler unrolls.
template <typename Indexer>
void traceBatch(const Indexer& indexer, int cols, const int* seeds, PointKeys* points) {
  constexpr int lanes = kLanes;
  Pair position[kLanes];
  Pair step[kLanes];
  int at[kLanes];
  for (int lane = 0; lane < lanes; ++lane) {
    const int cell = seeds[lane / 2];
    const Point3D c = pixelCentre(cell / cols, cell % cols);
    position[lane] = Pair{c.x, c.y};
    const double h = (lane & 1) ? -kStepLength : kStepLength;
    step[lane] = Pair{h, h};
    at[lane] = indexer.key(position[lane]);
  }
  for (int s = 0; s < kSeedsPerBatch; ++s) points[s][kStreamlineSteps] = at[2 * s];

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
      k1[lane] = step[lane] * indexer.direction(at[lane]);
      next[lane] = indexer.key(position[lane] + half * k1[lane]);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      k2[lane] = step[lane] * indexer.direction(next[lane]);
      next[lane] = indexer.key(position[lane] + half * k2[lane]);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      k3[lane] = step[lane] * indexer.direction(next[lane]);
      next[lane] = indexer.key(position[lane] + k3[lane]);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      const Pair k4 = step[lane] * indexer.direction(next[lane]);
      position[lane] = position[lane] +
                       (((sixth * k1[lane] + third * k2[lane]) + third * k3[lane]) + sixth * k4);
      at[lane] = indexer.key(position[lane]);
    }
    for (int s = 0; s < kSeedsPerBatch; ++s) {
      points[s][kStreamlineSteps + k] = at[2 * s];
      points[s][kStreamlineSteps - k] = at[2 * s + 1];
    }
  }
}

#if defined(__SSE2__) && defined(__x86_64__)
#define FASTLIC_AVX2_TRACER 1
// traceBatch for processors with AVX2, chosen at run time: one register holds a seed's forward
// and backward points, so every operation serves both chains. Each lane is still the same IEEE
// double operation (no fused multiply-add), so the bits are those of the scalar formulas.
using Quad = double __attribute__((vector_size(32)));

__attribute__((target("avx2"))) inline void quadKeys(const PackedIndexer& indexer, Quad q,
                                                     int& first, int& second) {
  const __m128i truncated = _mm256_cvttpd_epi32(__m256d(q));
  const __m128i keys = _mm_madd_epi16(_mm_packs_epi32(truncated, truncated), indexer.weights);
  first = _mm_cvtsi128_si32(keys);
  second = _mm_extract_epi32(keys, 1);
}

__attribute__((target("avx2"))) inline Quad quadDirections(const PackedIndexer& indexer, int first,
                                                           int second) {
  const __m256d low = _mm256_castpd128_pd256(_mm_loadu_pd(indexer.directionOrigin + first));
  return Quad(_mm256_insertf128_pd(low, _mm_loadu_pd(indexer.directionOrigin + second), 1));
}

// Twice the seeds of the pair tracer: a register now holds two chains, and sixteen registers in
// flight keep the processor as busy as sixteen pairs did.
constexpr int kSeedsPerQuadBatch = 2 * kSeedsPerBatch;

__attribute__((target("avx2"))) void traceBatchAvx2(const PackedIndexer& indexer, int cols,
                                                    const int* seeds, PointKeys* points) {
  const Quad step = {kStepLength, kStepLength, -kStepLength, -kStepLength};
  const Quad half = {0.5, 0.5, 0.5, 0.5};
  const Quad sixth = {1.0 / 6.0, 1.0 / 6.0, 1.0 / 6.0, 1.0 / 6.0};
  const Quad third = {1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0};
  Quad position[kSeedsPerQuadBatch];
  int forward[kSeedsPerQuadBatch];
  int backward[kSeedsPerQuadBatch];
  for (int s = 0; s < kSeedsPerQuadBatch; ++s) {
    const Point3D c = pixelCentre(seeds[s] / cols, seeds[s] % cols);
    position[s] = Quad{c.x, c.y, c.x, c.y};
    quadKeys(indexer, position[s], forward[s], backward[s]);
    points[s][kStreamlineSteps] = forward[s];
  }
  Quad k1[kSeedsPerQuadBatch];
  Quad k2[kSeedsPerQuadBatch];
  Quad k3[kSeedsPerQuadBatch];
  int first[kSeedsPerQuadBatch];
  int second[kSeedsPerQuadBatch];
  for (int k = 1; k <= kStreamlineSteps; ++k) {
    for (int s = 0; s < kSeedsPerQuadBatch; ++s) {
      k1[s] = step * quadDirections(indexer, forward[s], backward[s]);
      quadKeys(indexer, position[s] + half * k1[s], first[s], second[s]);
    }
    for (int s = 0; s < kSeedsPerQuadBatch; ++s) {
      k2[s] = step * quadDirections(indexer, first[s], second[s]);
      quadKeys(indexer, position[s] + half * k2[s], first[s], second[s]);
    }
    for (int s = 0; s < kSeedsPerQuadBatch; ++s) {
      k3[s] = step * quadDirections(indexer, first[s], second[s]);
      quadKeys(indexer, position[s] + k3[s], first[s], second[s]);
    }
    for (int s = 0; s < kSeedsPerQuadBatch; ++s) {
      const Quad k4 = step * quadDirections(indexer, first[s], second[s]);
      position[s] = position[s] + (((sixth * k1[s] + third * k2[s]) + third * k3[s]) + sixth * k4);
      quadKeys(indexer, position[s], forward[s], backward[s]);
      points[s][kStreamlineSteps + k] = forward[s];
      points[s][kStreamlineSteps - k] = backward[s];
    }
  }
}
#endif

// The cell and the texture sample (0.0 outside, as sampleTexture gives) of every point of a
// streamline, each looked up once.
struct TracedPoints {
  template <typename Indexer>
  void gather(const FlowTable& table, const Indexer& indexer, const PointKeys& points) {
    for (int n = 0; n < kPoints; ++n) {
      const FlowTable::CellSample& at = table.sample(indexer.index(points[n]));
      cells[n] = at.cell;
      samples[n] = static_cast<double>(at.texture);
    }
  }
  // Indexed by the step from the seed, -19 to 19.
  const int* cell() const { return cells + kStreamlineSteps; }
  const double* sample() const { return samples + kStreamlineSteps; }

  int cells[kPoints];
  double samples[kPoints];
};

// seedConvolve, advanceForward and advanceBackward on the traced keys, with the same arithmetic.
template <typename Indexer>
void convolveTraced(const FlowTable& table, const Indexer& indexer, const PointKeys& points,
                    int* hits, double* accum) {
  TracedPoints traced;
  traced.gather(table, indexer, points);
  const int* cell = traced.cell();
  const double* sample = traced.sample();

  int seedCount = 0;
  double total = 0.0;
  for (int k = -kKernelHalfLength; k <= kKernelHalfLength; ++k) {
    if (cell[k] >= 0) {
      total += sample[k];
      ++seedCount;
    }
  }
  double seedResult = 0.0;
  if (cell[0] >= 0) {
    seedResult = total * (1.0 / seedCount);
    accum[cell[0]] += seedResult;
    ++hits[cell[0]];
  }
  for (const int direction : {1, -1}) {
    double value = seedResult;
    int count = seedCount;
    for (int m = 1; m <= kCentresPerDirection; ++m) {
      const int centre = cell[direction * m];
      if (centre < 0) continue;
      const int entering = direction * (m + kKernelHalfLength);
      const int leaving = direction * (m - kKernelHalfLength - 1);
      if (cell[entering] >= 0) ++count;
      if (cell[leaving] >= 0) --count;
      value = value + (sample[entering] - sample[leaving]) * (1.0 / count);
      accum[centre] += value;
      ++hits[centre];
    }
  }
}

// The same when every point is inside, as on any grid of at least 12 rows and columns: every
// count is then 21, so each step is the plain difference of two samples times 1 / 21, and no
// point needs checking.
template <typename Indexer>
void convolveTracedInside(const FlowTable& table, const Indexer& indexer, const PointKeys& points,
                          int* hits, double* accum) {
  TracedPoints traced;
  traced.gather(table, indexer, points);
  const int* cell = traced.cell();
  const double* sample = traced.sample();

  double total = 0.0;
  for (int k = -kKernelHalfLength; k <= kKernelHalfLength; ++k) total += sample[k];
  const double reciprocal = 1.0 / (2 * kKernelHalfLength + 1);
  const double seedResult = total * reciprocal;
  accum[cell[0]] += seedResult;
  ++hits[cell[0]];
  double forward = seedResult;
  double backward = seedResult;
  for (int m = 1; m <= kCentresPerDirection; ++m) {
    forward =
        forward + (sample[m + kKernelHalfLength] - sample[m - kKernelHalfLength - 1]) * reciprocal;
    accum[cell[m]] += forward;
    ++hits[cell[m]];
  }
  for (int m = 1; m <= kCentresPerDirection; ++m) {
    backward = backward +
               (sample[-m - kKernelHalfLength] - sample[-m + kKernelHalfLength + 1]) * reciprocal;
    accum[cell[-m]] += backward;
    ++hits[cell[-m]];
  }
}

// The pass with a batch tracer of seedsPerBatch seeds.
template <int seedsPerBatch, typename Indexer, typename Trace>
void computeLicByTable(RegGrid& grid, const FlowTable& table, const Indexer& indexer, Trace trace) {
  int* hits = grid.hits.data();
  double* accum = grid.accum.data();
  const int cells = grid.rows * grid.cols;
  int seeds[seedsPerBatch];
  PointKeys points[seedsPerBatch];
  int next = 0;
  while (next < cells) {
    // A cell passed over here already has enough hits, and hits only grow.
    int seedCount = 0;
    for (; next < cells && seedCount < seedsPerBatch; ++next)
      if (hits[next] < kHitThreshold) seeds[seedCount++] = next;
    if (seedCount == 0) break;
    // The last batch may be short; its spare lanes trace the first seed again, unused.
    for (int s = seedCount; s < seedsPerBatch; ++s) seeds[s] = seeds[0];
    trace(seeds, points);
    for (int s = 0; s < seedCount; ++s) {
      if (hits[seeds[s]] >= kHitThreshold) continue;  // covered since it was traced
      if (table.allInside()) {
        convolveTracedInside(table, indexer, points[s], hits, accum);
      } else {
        convolveTraced(table, indexer, points[s], hits, accum);
      }
    }
  }
}

}  // namespace

void computeLicWith(LicKernel kernel) {
  RegGrid& grid = *CurrentGrid;
  if (kernel == LicKernel::kLookup) {
    computeLicByLookup(grid);
    normalizeAccumulators(grid);
    return;
  }
  const FlowTable table(grid);
  const int cols = grid.cols;
  if (!table.bounded()) {
    computeLicByLookup(grid);
#if defined(__SSE2__)
  } else if (kernel != LicKernel::kPortable && PackedIndexer::fits(table)) {
    const PackedIndexer indexer(table);
#if defined(FASTLIC_AVX2_TRACER)
    if (kernel == LicKernel::kAvx2 && __builtin_cpu_supports("avx2")) {
      computeLicByTable<kSeedsPerQuadBatch>(grid, table, indexer,
                                            [&](const int* seeds, PointKeys* points) {
                                              traceBatchAvx2(indexer, cols, seeds, points);
                                            });
    } else
#endif
    {
      computeLicByTable<kSeedsPerBatch>(
          grid, table, indexer,
          [&](const int* seeds, PointKeys* points) { traceBatch(indexer, cols, seeds, points); });
    }
#endif
  } else {
    const PlainIndexer indexer(table);
    computeLicByTable<kSeedsPerBatch>(
        grid, table, indexer,
        [&](const int* seeds, PointKeys* points) { traceBatch(indexer, cols, seeds, points); });
  }
  normalizeAccumulators(grid);
}

void computeLIC() { computeLicWith(LicKernel::kAvx2); }

}  // namespace fastlic
