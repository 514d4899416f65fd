#pragma once

#include <cstddef>

#include "grid/reg_grid.h"
#include "grid/run_buffer.h"

namespace fastlic {

/// What the tracer and the convolution look up in a grid, prepared once per pass and indexed by
/// the truncated position, with a margin around the grid where the wrap-around is already
/// applied. A lookup is then a multiply-add and a load instead of two divisions, a square root
/// and a division, and it gives the same bits: the same operations on the same values.
class FlowTable {
 public:
  /// Cells of margin on every side; a streamline point lies within 9.5 of its seed.
  static constexpr int kMargin = 12;

  /// The grid cell (row-major, -1 where locate says outside) and its texture value (0 outside).
  struct CellSample {
    int cell;
    int texture;
  };

  explicit FlowTable(const RegGrid& grid);

  /// True when every direction is finite and at most unit length, so that no streamline point,
  /// nor any Runge-Kutta sub-step, can leave the margin. Otherwise (NaN or infinite vectors) the
  /// table must not be used.
  bool bounded() const { return bounded_; }

  /// True when every position the table covers locates inside the grid (grids of at least 12
  /// rows and columns): then every kernel holds all 21 samples.
  bool allInside() const { return allInside_; }

  int width() const { return width_; }
  int height() const { return height_; }

  /// The table index of truncated coordinates within the margin.
  int indexOf(int tx, int ty) const { return tx * width_ + ty + origin_; }

  /// The normalised (or tiny, unnormalised) direction at index as x, y at [2 index], [2 index + 1].
  const double* directions() const { return directions_; }
  const CellSample& sample(int index) const { return samples_[static_cast<std::size_t>(index)]; }

 private:
  int width_;
  int height_;
  int origin_;  // index of truncated position (0, 0)
  bool bounded_ = true;
  bool allInside_ = true;
  RunBuffer storage_;  // the directions, then the samples
  double* directions_;
  CellSample* samples_;
};

}  // namespace fastlic
