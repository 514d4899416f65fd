#include "app/sample_fields.h"

#include <array>
#include <charconv>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "app/run_pipeline.h"

namespace fastlic {

std::optional<SampleFlow> sampleFlowNamed(std::string_view name) {
  if (name == "vortex") return SampleFlow::kVortex;
  if (name == "saddle") return SampleFlow::kSaddle;
  if (name == "mix") return SampleFlow::kMix;
  return std::nullopt;
}

namespace {

struct Singularity {
  double x, y;    // position as a fraction of the grid size
  double swirl;   // strength of the rotation around it
  double spread;  // strength of the outflow (negative: a sink)
};

// Two vortices turning opposite ways, a source and a sink.
constexpr std::array<Singularity, 4> kMix = {{
    {0.30, 0.30, 1.0, 0.0},
    {0.70, 0.65, -1.0, 0.2},
    {0.30, 0.75, 0.0, 1.0},
    {0.72, 0.25, 0.3, -1.0},
}};

}  // namespace

Vector3D sampleFlowVector(SampleFlow flow, int i, int j, int rows, int cols) {
  const double x = (i + 0.5) / rows - 0.5;
  const double y = (j + 0.5) / cols - 0.5;
  switch (flow) {
    case SampleFlow::kVortex:
      return {-y, x, 0.0};
    case SampleFlow::kSaddle:
      return {x, -y, 0.0};
    case SampleFlow::kMix: {
      Vector3D v;
      for (const Singularity& s : kMix) {
        const double dx = x + 0.5 - s.x;
        const double dy = y + 0.5 - s.y;
        // Strong near each centre, fading with distance, never infinite.
        const double weight = 1.0 / (dx * dx + dy * dy + 0.01);
        v.x += weight * (s.spread * dx - s.swirl * dy);
        v.y += weight * (s.spread * dy + s.swirl * dx);
      }
      return v;
    }
  }
  return {};
}

namespace {

void checkWritten(const std::ofstream& file, const std::filesystem::path& path) {
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

// Six decimals, as vector fields are commonly written; more digits would only add noise.
void appendNumber(std::string& line, double value) {
  std::array<char, 400> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                    std::chars_format::fixed, 6);
  line.append(digits.data(), result.ptr);
}

}  // namespace

void writeSampleInputs(const std::filesystem::path& folder, SampleFlow flow, std::uint32_t seed) {
  std::filesystem::create_directories(folder);

  const std::filesystem::path vectorPath = folder / kVectorFileName;
  std::string text;
  for (int i = 0; i < kRunRows; ++i) {
    for (int j = 0; j < kRunCols; ++j) {
      const Vector3D v = sampleFlowVector(flow, i, j, kRunRows, kRunCols);
      appendNumber(text, v.x);
      text += ' ';
      appendNumber(text, v.y);
      text += '\n';
    }
  }
  std::ofstream vectors(vectorPath, std::ios::binary);
  vectors << text;
  vectors.close();
  checkWritten(vectors, vectorPath);

  const std::filesystem::path texturePath = folder / kTextureFileName;
  // mt19937's sequence is fixed by the standard, and 256 divides 2^32, so this is uniform and the
  // same on every platform.
  std::mt19937 generator(seed);
  text.clear();
  for (int cell = 0; cell < kRunRows * kRunCols; ++cell) {
    text += std::to_string(generator() % 256);
    text += '\n';
  }
  std::ofstream texture(texturePath, std::ios::binary);
  texture << text;
  texture.close();
  checkWritten(texture, texturePath);
}

}  // namespace fastlic
