#pragma once

#include <cstddef>

namespace fastlic {

/// One per-cell quantity of a grid, reached as plane[i][j]. It views memory that its grid owns;
/// the rows lie one after another, so a row-major walk is a linear walk through memory.
template <typename T>
class Plane {
 public:
  Plane(T* cells, int rows, int cols)
      : cells_(cells),
        cols_(static_cast<std::size_t>(cols)),
        size_(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)) {}

  T* operator[](int i) { return cells_ + static_cast<std::size_t>(i) * cols_; }
  const T* operator[](int i) const { return cells_ + static_cast<std::size_t>(i) * cols_; }

  T* data() { return cells_; }
  const T* data() const { return cells_; }
  std::size_t size() const { return size_; }

 private:
  T* cells_;
  std::size_t cols_;
  std::size_t size_;
};

}  // namespace fastlic
