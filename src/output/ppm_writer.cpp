#include "output/ppm_writer.h"

#include <charconv>
#include <cmath>
#include <string>

#include "grid/field_reader.h"
#include "output/color_map.h"

namespace fastlic {

int channelValue(double v) {
  if (!(v > 0.0)) return 0;
  if (v >= 255.0) return 255;
  return static_cast<int>(std::round(v));
}

namespace {

// At most "255 255 255\n".
constexpr std::size_t kPixelChars = 12;

char* appendChannel(char* at, int value, char separator) {
  at = std::to_chars(at, at + 3, value).ptr;
  *at++ = separator;
  return at;
}

}  // namespace

void writePPM(const RegGrid& grid, std::ostream& out) {
  std::string text = "P3\t" + std::to_string(grid.cols) + '\t' + std::to_string(grid.rows) +
                     "\t255\n";
  const std::size_t headerSize = text.size();
  text.resize(headerSize + grid.vectors.size() * kPixelChars);
  char* at = text.data() + headerSize;

  const double inverse255 = 1.0 / 255.0;
  for (int i = 0; i < grid.rows; ++i) {
    const Vector3D* vectors = grid.vectors[i];
    const double* accum = grid.accum[i];
    for (int j = 0; j < grid.cols; ++j) {
      const double s = accum[j] * inverse255;
      double x = length(vectors[j]) / MaxMagnitude;
      if (!std::isfinite(x)) x = 0.0;
      const Point3D p = scaled(colorAt(MagnitudeColors, x), s);
      at = appendChannel(at, channelValue(p.x), ' ');
      at = appendChannel(at, channelValue(p.y), ' ');
      at = appendChannel(at, channelValue(p.z), '\n');
    }
  }
  out.write(text.data(), at - text.data());
}

}  // namespace fastlic
