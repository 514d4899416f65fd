#include "lic/compute_lic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/sample_fields.h"

namespace fastlic {
namespace {

class ComputeLicTest : public ::testing::Test {
 protected:
  RegGrid& makeGrid(int rows, int cols, SampleFlow flow, unsigned seed) {
    grid_ = std::make_unique<RegGrid>(rows, cols);
    std::mt19937 generator(seed);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) {
        grid_->vectors[i][j] = sampleFlowVector(flow, i, j, rows, cols);
        grid_->texture[i][j] = static_cast<int>(generator() % 256);
      }
    }
    CurrentGrid = grid_.get();
    return *grid_;
  }
  void TearDown() override { CurrentGrid = nullptr; }

  std::unique_ptr<RegGrid> grid_;
};

TEST_F(ComputeLicTest, ConstantTextureGivesThatConstantEverywhere) {
  struct Case {
    int rows, cols;
    SampleFlow flow;
  };
  const Case cases[] = {{32, 32, SampleFlow::kVortex},
                        {24, 40, SampleFlow::kMix},
                        {3, 5, SampleFlow::kSaddle},
                        {1, 1, SampleFlow::kVortex}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << 'x' << c.cols);
    RegGrid& grid = makeGrid(c.rows, c.cols, c.flow, 1);
    for (int i = 0; i < c.rows; ++i)
      for (int j = 0; j < c.cols; ++j) grid.texture[i][j] = 77;
    computeLIC();
    for (int i = 0; i < c.rows; ++i)
      for (int j = 0; j < c.cols; ++j) ASSERT_NEAR(grid.accum[i][j], 77.0, 1e-9) << i << ',' << j;
  }
}

TEST_F(ComputeLicTest, ZeroFieldReproducesTheTextureExactly) {
  RegGrid& grid = makeGrid(20, 30, SampleFlow::kVortex, 3);
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 30; ++j) grid.vectors[i][j] = {};
  for (int n = 0; n < 256; ++n) grid.texture[n / 30][n % 30] = n;  // every value once
  computeLIC();
  for (int i = 0; i < 20; ++i) {
    for (int j = 0; j < 30; ++j) {
      EXPECT_EQ(grid.accum[i][j], static_cast<double>(grid.texture[i][j])) << i << ',' << j;
      EXPECT_EQ(grid.hits[i][j], 19) << i << ',' << j;  // one streamline per cell
    }
  }
}

TEST_F(ComputeLicTest, ACellTracesWhileItHasFewerThanTwelveHits) {
  RegGrid& grid = makeGrid(10, 10, SampleFlow::kVortex, 4);
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j) grid.vectors[i][j] = {};
  grid.hits[4][4] = 11;
  grid.accum[4][4] = 11.0 * grid.texture[4][4];
  grid.hits[4][5] = 12;
  grid.accum[4][5] = 12.0 * 200;
  computeLIC();
  EXPECT_EQ(grid.hits[4][4], 11 + 19);
  EXPECT_EQ(grid.hits[4][5], 12);
  EXPECT_EQ(grid.accum[4][5], 200.0);
}

TEST_F(ComputeLicTest, ResultsAlongAStreamlineAreMovingMeansOfTwentyOneSamples) {
  RegGrid& grid = makeGrid(48, 48, SampleFlow::kMix, 5);
  Streamline s;
  traceStreamline(s, 20, 13);
  const auto meanAround = [&](int centre) {
    double total = 0.0;
    for (int k = centre - kKernelHalfLength; k <= centre + kKernelHalfLength; ++k)
      total += grid.sampleTexture(pointAt(s, k));
    return total / 21.0;
  };
  int seedCount = 0;
  const double seedValue = seedConvolve(grid, s, seedCount);
  EXPECT_EQ(seedCount, 21);
  EXPECT_NEAR(seedValue, meanAround(0), 1e-9);
  double value = seedValue;
  int count = seedCount;
  for (int m = 1; m <= kCentresPerDirection; ++m) {
    advanceForward(grid, s, value, m, count);
    EXPECT_EQ(count, 21);
    EXPECT_NEAR(value, meanAround(m), 1e-9) << m;
  }
  value = seedValue;
  count = seedCount;
  for (int m = 1; m <= kCentresPerDirection; ++m) {
    advanceBackward(grid, s, value, -m, count);
    EXPECT_NEAR(value, meanAround(-m), 1e-9) << -m;
  }
  // 19 records, each in the cell of its centre.
  int records = 0;
  for (int i = 0; i < 48; ++i)
    for (int j = 0; j < 48; ++j) records += grid.hits[i][j];
  EXPECT_EQ(records, 19);
  const CellLocation far = grid.locate(pointAt(s, 9));
  EXPECT_GE(grid.hits[far.i][far.j], 1);
}

TEST_F(ComputeLicTest, SamplesOutsideASmallGridAreLeftOutOfTheMean) {
  // On a 2 x 2 grid a uniform field carries points beyond one wrap, where they are outside.
  RegGrid& grid = makeGrid(2, 2, SampleFlow::kVortex, 6);
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) grid.vectors[i][j] = {-1, 0, 0};
  Streamline s;
  traceStreamline(s, 0, 0);
  int inside = 0;
  double total = 0.0;
  for (int k = -10; k <= 10; ++k) {
    if (grid.contains(pointAt(s, k))) {
      ++inside;
      total += grid.sampleTexture(pointAt(s, k));
    }
  }
  ASSERT_LT(inside, 21);
  int count = 0;
  EXPECT_EQ(seedConvolve(grid, s, count), total * (1.0 / inside));
  EXPECT_EQ(count, inside);
}

}  // namespace
}  // namespace fastlic
