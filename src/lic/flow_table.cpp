#include "lic/flow_table.h"

#include <cmath>

namespace fastlic {

FlowTable::FlowTable(const RegGrid& grid)
    : width_(grid.cols + 2 * kMargin),
      height_(grid.rows + 2 * kMargin),
      origin_(kMargin * width_ + kMargin) {
  const auto size = static_cast<std::size_t>(height_) * static_cast<std::size_t>(width_);
  directions_.resize(size);
  cells_.resize(size);
  textures_.resize(size);

  // The directions of the grid's own cells, computed once each.
  std::vector<Direction> cellDirections(static_cast<std::size_t>(grid.rows) * grid.cols);
  for (int i = 0; i < grid.rows; ++i) {
    for (int j = 0; j < grid.cols; ++j) {
      const Vector3D& v = grid.vectors[i][j];
      const Vector3D d = isTiny(v) ? v : normalized(v);
      cellDirections[static_cast<std::size_t>(i) * grid.cols + j] = {d.x, d.y};
      // A little over 1 allows for the rounding of the normalisation.
      if (!(std::fabs(d.x) <= 1.000001 && std::fabs(d.y) <= 1.000001)) bounded_ = false;
    }
  }

  std::size_t index = 0;
  for (int tx = -kMargin; tx < grid.rows + kMargin; ++tx) {
    for (int ty = -kMargin; ty < grid.cols + kMargin; ++ty, ++index) {
      const CellLocation at = grid.locateTruncated(tx, ty);
      if (at.inside) {
        const int cell = at.i * grid.cols + at.j;
        directions_[index] = cellDirections[static_cast<std::size_t>(cell)];
        cells_[index] = cell;
        textures_[index] = static_cast<double>(grid.texture[at.i][at.j]);
      } else {
        directions_[index] = {0.0, 0.0};
        cells_[index] = -1;
        textures_[index] = 0.0;
      }
    }
  }
}

}  // namespace fastlic
