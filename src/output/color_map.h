#pragma once

#include <vector>

#include "grid/point3d.h"

namespace fastlic {

/// A table of colour control points (red, green, blue on the 0-255 scale) between which colours
/// are interpolated linearly.
struct ColorMap {
  /// A map of count entries, each (0, 0, 0, 1).
  explicit ColorMap(int count);

  std::vector<Point3D> entries;
  int entryCount;
};

/// The colour map of the process: four entries, assigned by setupColorMap at each run.
extern ColorMap MagnitudeColors;

/// Assigns MagnitudeColors its control points: grey, dark red, red, blue.
void setupColorMap();

/// The colour of a normalised magnitude x: with t = entryCount * x, the blend of entries
/// floor(t) and floor(t) + 1. Where t reaches the last entry (x >= 0.75 for four entries) the
/// colour is the last entry; x below 0 or NaN is taken as 0. w is always 1.
Point3D colorAt(const ColorMap& map, double x);

}  // namespace fastlic
