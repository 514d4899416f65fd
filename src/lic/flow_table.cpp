#include "lic/flow_table.h"

#include <cmath>
#include <vector>

namespace fastlic {

namespace {

std::size_t tableSize(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

FlowTable::FlowTable(const RegGrid& grid)
    : width_(grid.cols + 2 * kMargin),
      height_(grid.rows + 2 * kMargin),
      origin_(kMargin * width_ + kMargin),
      storage_(alignedOffset(2 * tableSize(width_, height_) * sizeof(double)) +
               tableSize(width_, height_) * sizeof(CellSample)),
      directions_(reinterpret_cast<double*>(storage_.data())),
      samples_(reinterpret_cast<CellSample*>(
          storage_.data() + alignedOffset(2 * tableSize(width_, height_) * sizeof(double)))) {
  // Where each truncated row and column wraps to (-1: outside), found once per row and column.
  std::vector<int> rowOf(static_cast<std::size_t>(height_));
  std::vector<int> colOf(static_cast<std::size_t>(width_));
  for (int t = -kMargin; t < grid.rows + kMargin; ++t) {
    const CellLocation at = grid.locateTruncated(t, 0);
    rowOf[static_cast<std::size_t>(t + kMargin)] = at.inside ? at.i : -1;
  }
  for (int t = -kMargin; t < grid.cols + kMargin; ++t) {
    const CellLocation at = grid.locateTruncated(0, t);
    colOf[static_cast<std::size_t>(t + kMargin)] = at.inside ? at.j : -1;
  }

  // The grid's own cells first, each normalised once.
  for (int i = 0; i < grid.rows; ++i) {
    for (int j = 0; j < grid.cols; ++j) {
      const std::size_t index = static_cast<std::size_t>(indexOf(i, j));
      const Vector3D& v = grid.vectors[i][j];
      const Vector3D d = isTiny(v) ? v : normalized(v);
      directions_[2 * index] = d.x;
      directions_[2 * index + 1] = d.y;
      samples_[index] = {i * grid.cols + j, grid.texture[i][j]};
      // A little over 1 allows for the rounding of the normalisation.
      if (!(std::fabs(d.x) <= 1.000001 && std::fabs(d.y) <= 1.000001)) bounded_ = false;
    }
  }
  // Then the margin, copied from the cells it wraps to.
  for (int tx = -kMargin; tx < grid.rows + kMargin; ++tx) {
    const int i = rowOf[static_cast<std::size_t>(tx + kMargin)];
    for (int ty = -kMargin; ty < grid.cols + kMargin; ++ty) {
      if (tx >= 0 && tx < grid.rows && ty == 0) ty = grid.cols;  // skip the grid's own cells
      if (ty >= grid.cols + kMargin) break;
      const int j = colOf[static_cast<std::size_t>(ty + kMargin)];
      const std::size_t index = static_cast<std::size_t>(indexOf(tx, ty));
      if (i < 0 || j < 0) {
        allInside_ = false;
        directions_[2 * index] = 0.0;
        directions_[2 * index + 1] = 0.0;
        samples_[index] = {-1, 0};
        continue;
      }
      const std::size_t from = static_cast<std::size_t>(indexOf(i, j));
      directions_[2 * index] = directions_[2 * from];
      directions_[2 * index + 1] = directions_[2 * from + 1];
      samples_[index] = samples_[from];
    }
  }
}

}  // namespace fastlic
