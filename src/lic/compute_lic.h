#pragma once

#include "grid/reg_grid.h"
#include "lic/streamline.h"

namespace fastlic {

/// A cell seeds a streamline only while fewer results than this have been recorded in it.
inline constexpr int kHitThreshold = 12;
/// A result centred on point c averages the samples from c - 10 to c + 10.
inline constexpr int kKernelHalfLength = 10;
/// Results are produced at the seed and at this many centres on each side.
inline constexpr int kCentresPerDirection = 9;

/// The line integral convolution of CurrentGrid's texture along its field: every cell whose hit
/// count is below 12 when its row-major turn comes traces a streamline and records 19 box-filtered
/// means along it; then every sum becomes a mean. Expects hits and accum all zero.
void computeLIC();

/// The ways the pass can trace streamlines; every one gives the same bits. kLookup goes through
/// traceStreamline and the grid's own lookups; the others use a per-pass lookup table, traced
/// with portable pair arithmetic, with SSE2, or with AVX2 where the processor has it.
enum class LicKernel { kLookup, kPortable, kSse2, kAvx2 };

/// computeLIC with a chosen kernel, for tests and measurements. Fields with NaN or infinite
/// vectors always take kLookup; a kernel the processor or the grid size does not allow falls back
/// to the next simpler one.
void computeLicWith(LicKernel kernel);

/// The mean of the samples pointAt(-10)..pointAt(10) that lie inside, recorded in the seed's cell.
/// count receives the number of samples inside; the result is returned (0.0, unrecorded, if the
/// seed lies outside).
double seedConvolve(RegGrid& grid, const Streamline& s, int& count);

/// Moves the running mean from centre m - 1 to centre m (1..9) by one entering and one leaving
/// sample, and records it in the cell of pointAt(m). Nothing changes when that point is outside.
void advanceForward(RegGrid& grid, const Streamline& s, double& value, int m, int& count);

/// The mirror of advanceForward for m from -1 to -9.
void advanceBackward(RegGrid& grid, const Streamline& s, double& value, int m, int& count);

/// Divides every cell's accumulated sum by its hit count.
void normalizeAccumulators(RegGrid& grid);

}  // namespace fastlic
