#pragma once

#include <cstddef>
#include <vector>

namespace fastlic {

/// One per-cell quantity of a grid, reached as plane[i][j]. The rows share one allocation so a
/// row-major walk is a linear walk through memory.
template <typename T>
class Plane {
 public:
  Plane(int rows, int cols)
      : cols_(static_cast<std::size_t>(cols)), cells_(static_cast<std::size_t>(rows) * cols_) {}

  T* operator[](int i) { return cells_.data() + static_cast<std::size_t>(i) * cols_; }
  const T* operator[](int i) const { return cells_.data() + static_cast<std::size_t>(i) * cols_; }

  T* data() { return cells_.data(); }
  const T* data() const { return cells_.data(); }
  std::size_t size() const { return cells_.size(); }

 private:
  std::size_t cols_;
  std::vector<T> cells_;
};

}  // namespace fastlic
