// The engine, with each of its ways of tracing, against the plain evaluation in tests/reference on
// a table of fields: the accum and hits planes must agree bit for bit, and so must the picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "app/sample_fields.h"
#include "grid/field_reader.h"
#include "lic/compute_lic.h"
#include "output/color_map.h"
#include "output/ppm_writer.h"
#include "reference/reference_lic.h"
#include "support/process.h"

namespace fastlic {
namespace {

using VectorAt = std::function<Vector3D(int i, int j, std::mt19937& random)>;
using TextureAt = std::function<int(int i, int j, std::mt19937& random)>;

struct FieldCase {
  std::string name;
  int rows;
  int cols;
  VectorAt vector;
  TextureAt texture;
};

int noise(int, int, std::mt19937& random) { return static_cast<int>(random() % 256); }

VectorAt flow(SampleFlow f, int rows, int cols) {
  return [=](int i, int j, std::mt19937&) { return sampleFlowVector(f, i, j, rows, cols); };
}

VectorAt uniform(double x, double y) {
  return [=](int, int, std::mt19937&) { return Vector3D{x, y, 0}; };
}

std::vector<FieldCase> cases() {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<FieldCase> all = {
      {"vortex_64x64", 64, 64, flow(SampleFlow::kVortex, 64, 64), noise},
      {"saddle_40x72", 40, 72, flow(SampleFlow::kSaddle, 40, 72), noise},
      {"mix_256x256", 256, 256, flow(SampleFlow::kMix, 256, 256), noise},
      {"random_directions_32x32", 32, 32,
       [](int, int, std::mt19937& r) {
         std::uniform_real_distribution<double> angle(0.0, 6.283185307179586);
         std::uniform_real_distribution<double> size(0.0, 10.0);
         const double a = angle(r);
         const double s = size(r);
         return Vector3D{s * std::cos(a), s * std::sin(a), 0};
       },
       noise},
      {"zero_islands_48x48", 48, 48,
       [](int i, int j, std::mt19937& r) {
         if (r() % 5 == 0 || (i > 20 && i < 26 && j > 10 && j < 30)) return Vector3D{};
         return sampleFlowVector(SampleFlow::kMix, i, j, 48, 48);
       },
       noise},
      {"tiny_vectors_24x24", 24, 24,
       [](int i, int j, std::mt19937&) {
         const double scale = (i + j) % 3 == 0 ? 1e-7 : ((i + j) % 3 == 1 ? 1e-6 : 1.0);
         return Vector3D{scale * (j - 12), scale * (12 - i), 0};
       },
       noise},
      {"uniform_across_edges_50x50", 50, 50, uniform(0.7, -0.3), noise},
      {"axis_aligned_across_edges_30x30", 30, 30, uniform(-1.0, 0.0), noise},
      {"texture_beyond_0_255_32x32", 32, 32, flow(SampleFlow::kVortex, 32, 32),
       [](int, int, std::mt19937& r) { return static_cast<int>(r() % 4001) - 2000; }},
      {"non_finite_and_huge_16x16", 16, 16,
       [=](int i, int j, std::mt19937&) {
         switch ((i * 16 + j) % 9) {
           case 0:
             return Vector3D{nan, 1.0, 0};
           case 1:
             return Vector3D{inf, 0.0, 0};
           case 2:
             return Vector3D{1e200, -1e200, 0};
           case 3:
             return Vector3D{-inf, nan, 0};
           case 4:
             return Vector3D{1e-200, 0.0, 0};
           default:
             return sampleFlowVector(SampleFlow::kVortex, i, j, 16, 16);
         }
       },
       noise},
  };
  const int smallSizes[][2] = {{1, 1}, {2, 3}, {3, 5}, {7, 2}, {9, 9}, {10, 10}, {1, 12}};
  for (const auto& size : smallSizes) {
    const int rows = size[0];
    const int cols = size[1];
    all.push_back({"small_vortex_" + std::to_string(rows) + "x" + std::to_string(cols), rows, cols,
                   flow(SampleFlow::kVortex, rows, cols), noise});
    all.push_back({"small_uniform_" + std::to_string(rows) + "x" + std::to_string(cols), rows, cols,
                   uniform(0.8, 0.6), noise});
  }
  return all;
}

std::string formatted(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

struct EngineResult {
  std::vector<double> accum;
  std::vector<int> hits;
  std::string picture;
};

EngineResult runEngine(const std::string& vectorPath, const std::string& texturePath, int rows,
                       int cols, LicKernel kernel) {
  MaxMagnitude = 0.0;
  RegGrid grid(rows, cols);
  readField(vectorPath, texturePath, grid);
  setupColorMap();
  CurrentGrid = &grid;
  computeLicWith(kernel);
  std::ostringstream out;
  writePPM(grid, out);
  CurrentGrid = nullptr;
  MaxMagnitude = 0.0;
  EngineResult result;
  result.accum.assign(grid.accum.data(), grid.accum.data() + grid.accum.size());
  result.hits.assign(grid.hits.data(), grid.hits.data() + grid.hits.size());
  result.picture = out.str();
  return result;
}

std::uint64_t bits(double v) {
  std::uint64_t b = 0;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class DifferentialTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(DifferentialTest, EngineMatchesThePlainEvaluationBitForBit) {
  const FieldCase& c = GetParam();
  support::TempDir dir;
  std::mt19937 random(12345);
  std::string vectors;
  std::string texture;
  for (int i = 0; i < c.rows; ++i) {
    for (int j = 0; j < c.cols; ++j) {
      const Vector3D v = c.vector(i, j, random);
      vectors += formatted(v.x) + ' ' + formatted(v.y) + '\n';
      texture += std::to_string(c.texture(i, j, random)) + '\n';
    }
  }
  const std::string vectorPath = (dir / "vectors").string();
  const std::string texturePath = (dir / "texture").string();
  support::writeFile(vectorPath, vectors);
  support::writeFile(texturePath, texture);

  reference::Result expected;
  ASSERT_TRUE(reference::run(vectorPath, texturePath, c.rows, c.cols, expected));
  // Every way of tracing must give the same bits; the processor may lack AVX2, in which case
  // that kernel quietly runs the SSE2 one.
  const std::pair<LicKernel, const char*> kernels[] = {{LicKernel::kLookup, "lookup"},
                                                       {LicKernel::kPortable, "portable"},
                                                       {LicKernel::kSse2, "sse2"},
                                                       {LicKernel::kAvx2, "avx2"}};
  for (const auto& [kernel, kernelName] : kernels) {
    SCOPED_TRACE(kernelName);
    const EngineResult actual = runEngine(vectorPath, texturePath, c.rows, c.cols, kernel);
    ASSERT_EQ(actual.hits.size(), expected.hits.size());
    int mismatches = 0;
    for (std::size_t n = 0; n < expected.hits.size() && mismatches < 5; ++n) {
      if (actual.hits[n] != expected.hits[n] || bits(actual.accum[n]) != bits(expected.accum[n])) {
        ++mismatches;
        ADD_FAILURE() << "cell " << n / c.cols << ',' << n % c.cols << ": hits " << actual.hits[n]
                      << " vs " << expected.hits[n] << ", accum " << formatted(actual.accum[n])
                      << " vs " << formatted(expected.accum[n]);
      }
    }
    EXPECT_TRUE(actual.picture == expected.picture) << "the pictures differ";
  }
}

INSTANTIATE_TEST_SUITE_P(Fields, DifferentialTest, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace fastlic
