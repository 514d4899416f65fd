#include "output/color_map.h"

namespace fastlic {

ColorMap::ColorMap(int count)
    : entries(static_cast<std::size_t>(count > 0 ? count : 0)), entryCount(count > 0 ? count : 0) {}

ColorMap MagnitudeColors(4);

void setupColorMap() {
  MagnitudeColors.entries[0] = {100.0, 100.0, 100.0, 1.0};
  MagnitudeColors.entries[1] = {150.0, 0.0, 0.0, 1.0};
  MagnitudeColors.entries[2] = {255.0, 0.0, 0.0, 1.0};
  MagnitudeColors.entries[3] = {0.0, 0.0, 255.0, 1.0};
}

Point3D colorAt(const ColorMap& map, double x) {
  if (map.entryCount == 0) return {};
  if (!(x > 0.0)) x = 0.0;
  const double t = map.entryCount * x;
  // Also keeps k + 1 inside the table and the truncation below within int range.
  if (t >= map.entryCount - 1) {
    const Point3D& last = map.entries[static_cast<std::size_t>(map.entryCount - 1)];
    return {last.x, last.y, last.z, 1.0};
  }
  const int k = static_cast<int>(t);
  const double f = t - k;
  const Point3D upper = scaled(map.entries[static_cast<std::size_t>(k + 1)], f);
  const Point3D lower = scaled(map.entries[static_cast<std::size_t>(k)], (1.0 - t) + k);
  return added(lower, upper);
}

}  // namespace fastlic
