#include "grid/reg_grid.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace fastlic {

RegGrid* CurrentGrid = nullptr;

namespace {

int checkedSize(int size, const char* what) {
  if (size < 1) throw std::invalid_argument(std::string("grid ") + what + " must be at least 1");
  return size;
}

// Zeroed storage for the planes: all-zero bytes are 0, 0.0 and the zero vector.
RunBuffer zeroedStorage(std::size_t bytes) {
  RunBuffer storage(bytes);
  if (!storage.zeroed()) std::memset(storage.data(), 0, bytes);
  return storage;
}

// The remainder of (t + size) / size as truncating division gives it, computed in 64 bits so that
// a t near the int limits cannot overflow.
long long wrapIndex(int t, int size) { return (static_cast<long long>(t) + size) % size; }

}  // namespace

RegGrid::Layout RegGrid::layoutFor(int rowCount, int colCount) {
  const std::size_t cells = static_cast<std::size_t>(checkedSize(rowCount, "rows")) *
                            static_cast<std::size_t>(checkedSize(colCount, "columns"));
  Layout at{};
  at.vectors = 0;
  at.hits = alignedOffset(at.vectors + cells * sizeof(Vector3D));
  at.texture = alignedOffset(at.hits + cells * sizeof(int));
  at.accum = alignedOffset(at.texture + cells * sizeof(int));
  at.total = at.accum + cells * sizeof(double);
  return at;
}

RegGrid::RegGrid(int rowCount, int colCount)
    : layout_(layoutFor(rowCount, colCount)),
      storage_(zeroedStorage(layout_.total)),
      rows(rowCount),
      cols(colCount),
      vectors(reinterpret_cast<Vector3D*>(storage_.data() + layout_.vectors), rows, cols),
      hits(reinterpret_cast<int*>(storage_.data() + layout_.hits), rows, cols),
      texture(reinterpret_cast<int*>(storage_.data() + layout_.texture), rows, cols),
      accum(reinterpret_cast<double*>(storage_.data() + layout_.accum), rows, cols) {}

bool truncateToInt(double x, int& truncated) {
  // Written so that NaN fails both comparisons.
  if (!(x > -2147483649.0 && x < 2147483648.0)) return false;
  truncated = static_cast<int>(x);
  return true;
}

CellLocation RegGrid::locate(const Point3D& p) const {
  int tx = 0;
  int ty = 0;
  if (!truncateToInt(p.x, tx) || !truncateToInt(p.y, ty)) return {};
  return locateTruncated(tx, ty);
}

CellLocation RegGrid::locateTruncated(int tx, int ty) const {
  const long long i = wrapIndex(tx, rows);
  const long long j = wrapIndex(ty, cols);
  const bool inside = i >= 0 && i < rows && j >= 0 && j < cols;
  return {inside, static_cast<int>(i), static_cast<int>(j)};
}

bool RegGrid::contains(const Point3D& p) const { return locate(p).inside; }

Vector3D RegGrid::sampleVector(const Point3D& p) const {
  const CellLocation at = locate(p);
  return at.inside ? vectors[at.i][at.j] : Vector3D{};
}

double RegGrid::sampleTexture(const Point3D& p) const {
  const CellLocation at = locate(p);
  return at.inside ? static_cast<double>(texture[at.i][at.j]) : 0.0;
}

}  // namespace fastlic
