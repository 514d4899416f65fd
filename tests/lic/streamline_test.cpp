#include "lic/streamline.h"

#include <gtest/gtest.h>

#include "grid/reg_grid.h"

namespace fastlic {
namespace {

class StreamlineTest : public ::testing::Test {
 protected:
  void useField(int rows, int cols, Vector3D v) {
    grid_ = std::make_unique<RegGrid>(rows, cols);
    for (int i = 0; i < rows; ++i)
      for (int j = 0; j < cols; ++j) grid_->vectors[i][j] = v;
    CurrentGrid = grid_.get();
  }
  void TearDown() override { CurrentGrid = nullptr; }

  std::unique_ptr<RegGrid> grid_;
};

TEST_F(StreamlineTest, PointAtNamesTheBufferLayout) {
  Streamline s;
  for (int n = 0; n < 39; ++n) s.points[n].x = n;
  EXPECT_EQ(pointAt(s, 0).x, 38);
  EXPECT_EQ(pointAt(s, 1).x, 0);
  EXPECT_EQ(pointAt(s, 19).x, 18);
  EXPECT_EQ(pointAt(s, -1).x, 19);
  EXPECT_EQ(pointAt(s, -19).x, 37);
}

TEST_F(StreamlineTest, ZeroFieldKeepsEveryPointOnTheSeed) {
  useField(8, 8, {0, 0, 0});
  Streamline s;
  traceStreamline(s, 3, 6);
  for (int k = -19; k <= 19; ++k) {
    EXPECT_EQ(pointAt(s, k).x, 3.5) << k;
    EXPECT_EQ(pointAt(s, k).y, 6.5) << k;
    EXPECT_EQ(pointAt(s, k).w, 1.0) << k;
  }
}

TEST_F(StreamlineTest, UniformFieldStepsHalfACellAndCrossesTheEdge) {
  useField(256, 256, {1, 0, 0});
  Streamline s;
  traceStreamline(s, 250, 7);
  for (int k = -19; k <= 19; ++k) {
    EXPECT_NEAR(pointAt(s, k).x, 250.5 + 0.5 * k, 1e-12) << k;
    EXPECT_EQ(pointAt(s, k).y, 7.5) << k;
  }
  // Positions are not wrapped, only looked up with wrap-around.
  EXPECT_NEAR(pointAt(s, 12).x, 256.5, 1e-12);
  EXPECT_EQ(CurrentGrid->locate(pointAt(s, 12)).i, 0);
}

TEST_F(StreamlineTest, StepsFollowTheRoundedArithmeticNotTheExactOne) {
  useField(256, 256, {1, 0, 0});
  // 0.5 * (1/6) + 0.5 * (1/3) + 0.5 * (1/3) + 0.5 * (1/6) falls one unit short of 0.5, so the
  // first step back from 0.5 stops just above zero.
  Streamline s;
  traceStreamline(s, 0, 0);
  EXPECT_EQ(pointAt(s, -1).x, 0.5 - 0.49999999999999994);
  EXPECT_GT(pointAt(s, -1).x, 0.0);
  EXPECT_EQ(pointAt(s, -3).x, -0.99999999999999978);
  // So the third backward point is still looked up in row 0, not in row 255.
  EXPECT_EQ(CurrentGrid->locate(pointAt(s, -3)).i, 0);
}

TEST_F(StreamlineTest, DirectionIsNormalisedWhateverTheMagnitude) {
  useField(64, 64, {3, 4, 0});
  Streamline s;
  traceStreamline(s, 20, 30);
  for (int k = -19; k <= 19; ++k) {
    EXPECT_NEAR(pointAt(s, k).x, 20.5 + 0.3 * k, 1e-12) << k;
    EXPECT_NEAR(pointAt(s, k).y, 30.5 + 0.4 * k, 1e-12) << k;
  }
}

TEST_F(StreamlineTest, TinyVectorsAreUsedUnnormalised) {
  useField(16, 16, {1e-7, 0, 0});
  Point3D p = pixelCentre(4, 4);
  rk4Step(p, 0.5);
  EXPECT_NEAR(p.x - 4.5, 0.5e-7, 1e-15);  // far below a normalised step
  EXPECT_EQ(p.y, 4.5);
}

TEST_F(StreamlineTest, AZeroCellStopsTheStepsThatReachIt) {
  useField(32, 32, {1, 0, 0});
  CurrentGrid->vectors[10][5] = {0, 0, 0};
  Streamline s;
  traceStreamline(s, 7, 5);
  // Forward points advance through rows 7 to 9, enter row 10 and stay where they entered.
  int entered = 0;
  for (int k = 1; k <= 19 && entered == 0; ++k)
    if (CurrentGrid->locate(pointAt(s, k)).i == 10) entered = k;
  ASSERT_GT(entered, 1);
  for (int k = 1; k < entered; ++k) EXPECT_LT(pointAt(s, k).x, 10.0) << k;
  for (int k = entered; k <= 19; ++k) EXPECT_EQ(pointAt(s, k).x, pointAt(s, entered).x) << k;
  // Backward points are not held by the zero cell ahead.
  EXPECT_NEAR(pointAt(s, -19).x, 7.5 - 9.5, 1e-12);

  // A seed on the zero cell does not move even though its neighbours would carry it.
  traceStreamline(s, 10, 5);
  for (int k = -19; k <= 19; ++k) EXPECT_EQ(pointAt(s, k).x, 10.5) << k;
}

}  // namespace
}  // namespace fastlic
