#pragma once

#include <vector>

#include "grid/reg_grid.h"

namespace fastlic {

/// What the tracer and the convolution read of a grid, prepared once per pass and indexed by the
/// truncated position, with a margin around the grid where the wrap-around is already applied.
/// A lookup is then one multiply-add and a load instead of two divisions, a square root and a
/// division, and it gives the same bits: the same operations on the same values.
class FlowTable {
 public:
  /// Cells of margin on every side; a streamline point lies within 9.5 of its seed.
  static constexpr int kMargin = 12;

  /// The normalised (or tiny, unnormalised) field direction of a cell.
  struct Direction {
    double x;
    double y;
  };

  explicit FlowTable(const RegGrid& grid);

  /// True when every direction is finite and at most unit length, so that no streamline point,
  /// nor any Runge-Kutta sub-step, can leave the margin. Otherwise (NaN or infinite vectors) the
  /// table must not be used.
  bool bounded() const { return bounded_; }

  int width() const { return width_; }
  int height() const { return height_; }

  /// The table index of a position; only for positions within the margin.
  int indexOf(double x, double y) const {
    return static_cast<int>(x) * width_ + static_cast<int>(y) + origin_;
  }
  int indexOfTruncated(int tx, int ty) const { return tx * width_ + ty + origin_; }
  const Direction& direction(int index) const { return directions_[static_cast<std::size_t>(index)]; }
  /// The row-major grid cell of an index, or -1 where locate says outside.
  int cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }
  /// The texture value as sampleTexture gives it: 0.0 outside.
  double texture(int index) const { return textures_[static_cast<std::size_t>(index)]; }

 private:
  int width_;
  int height_;
  int origin_;  // index of truncated position (0, 0)
  bool bounded_ = true;
  std::vector<Direction> directions_;
  std::vector<int> cells_;
  std::vector<double> textures_;
};

}  // namespace fastlic
