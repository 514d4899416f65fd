#include "output/ppm_writer.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "grid/field_reader.h"
#include "output/color_map.h"

namespace fastlic {

int channelValue(double v) {
  if (!(v > 0.0)) return 0;
  if (v >= 255.0) return 255;
  // v - whole is exact below 255, so this is rounding with halves away from zero.
  const int whole = static_cast<int>(v);
  return whole + static_cast<int>(v - whole >= 0.5);  // no branch: halves are unpredictable
}

namespace {

// At most "255 255 255\n".
constexpr std::size_t kPixelChars = 12;

// The decimal text of every channel value, so a channel is one copy.
struct ChannelText {
  char digits[4];
  int length;
};
constexpr auto kChannelTexts = [] {
  std::array<ChannelText, 256> texts{};
  for (int v = 0; v < 256; ++v) {
    ChannelText& t = texts[static_cast<std::size_t>(v)];
    if (v >= 100) t.digits[t.length++] = static_cast<char>('0' + v / 100);
    if (v >= 10) t.digits[t.length++] = static_cast<char>('0' + v / 10 % 10);
    t.digits[t.length++] = static_cast<char>('0' + v % 10);
  }
  return texts;
}();

char* appendChannel(char* at, int value, char separator) {
  const ChannelText& text = kChannelTexts[static_cast<std::size_t>(value)];
  std::memcpy(at, text.digits, sizeof text.digits);
  at += text.length;
  *at++ = separator;
  return at;
}

}  // namespace

void writePPM(const RegGrid& grid, std::ostream& out) {
  out << "P3\t" << grid.cols << '\t' << grid.rows << "\t255\n";

  // Pixels are formatted into a small buffer that is written whenever it fills, so the picture
  // never has to be held in memory whole.
  constexpr std::size_t kBufferSize = 1 << 15;
  char buffer[kBufferSize];
  char* at = buffer;
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
      if (buffer + kBufferSize - at < static_cast<std::ptrdiff_t>(kPixelChars)) {
        out.write(buffer, at - buffer);
        at = buffer;
      }
    }
  }
  out.write(buffer, at - buffer);
}

}  // namespace fastlic
