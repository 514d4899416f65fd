#pragma once

#include <cstddef>

#include "grid/plane.h"
#include "grid/point3d.h"
#include "grid/run_buffer.h"
#include "grid/vector3d.h"

namespace fastlic {

/// Where a position falls: the wrapped cell (i, j), valid only when inside is true.
struct CellLocation {
  bool inside = false;
  int i = 0;
  int j = 0;
};

/// A regular grid of rows x cols cells, each with a field vector, a noise texture value, a hit
/// count and an accumulated intensity. A position's x selects the row and its y the column.
struct RegGrid {
  /// A grid with every plane zero; throws std::invalid_argument unless both sizes are at least 1.
  RegGrid(int rows, int cols);

 private:
  // Where each plane lies in the one buffer that holds all four.
  struct Layout {
    std::size_t vectors, hits, texture, accum, total;
  };
  static Layout layoutFor(int rows, int cols);

  Layout layout_;
  RunBuffer storage_;  // declared before the planes, which point into it

 public:
  int rows;
  int cols;
  Plane<Vector3D> vectors;
  Plane<int> hits;
  Plane<int> texture;
  Plane<double> accum;

  /// The cell a position falls in: each coordinate truncated toward zero, then (t + size) rem size
  /// with the remainder's sign following the dividend, so one grid size of wrap-around either way
  /// and a negative remainder is outside. NaN, infinities and coordinates whose truncation does
  /// not fit an int are outside. z is ignored.
  CellLocation locate(const Point3D& p) const;

  /// The wrap-around rule of locate on already truncated coordinates.
  CellLocation locateTruncated(int tx, int ty) const;

  /// Whether locate(p) is inside.
  bool contains(const Point3D& p) const;

  /// The vector of the located cell, or (0, 0, 0) outside.
  Vector3D sampleVector(const Point3D& p) const;

  /// The texture value of the located cell as a double, or 0.0 outside.
  double sampleTexture(const Point3D& p) const;
};

/// The grid of the run in progress; empty outside a run. The tracer and the LIC pass read it.
extern RegGrid* CurrentGrid;

/// The truncation toward zero of x, or false when x is NaN or its truncation does not fit an int.
bool truncateToInt(double x, int& truncated);

}  // namespace fastlic
