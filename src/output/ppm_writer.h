#pragma once

#include <iostream>

#include "grid/reg_grid.h"

namespace fastlic {

/// Writes grid as a plain PPM picture: the header "P3\t<cols>\t<rows>\t255\n", then one "r g b"
/// line per cell in row-major order. Each colour is colorAt(MagnitudeColors, |v| / MaxMagnitude)
/// (magnitude 0 when that is not finite) scaled by accum / 255; channels are rounded to the
/// nearest integer, halves away from zero, and clamped to 0..255 (NaN gives 0). Failures show in
/// the stream's state.
void writePPM(const RegGrid& grid, std::ostream& out = std::cout);

/// One channel value as written: rounded, halves away from zero, clamped to 0..255, NaN as 0.
int channelValue(double v);

}  // namespace fastlic
