#include "grid/reg_grid.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace fastlic {
namespace {

struct LocateCase {
  double coordinate;
  bool inside;
  int index;
};

// For a 256-cell axis: truncation toward zero, then (t + 256) rem 256 with the dividend's sign.
const LocateCase kAxisCases[] = {
    {0.5, true, 0},    {255.7, true, 255}, {256.2, true, 0},   {600.0, true, 88},
    {-0.7, true, 0},   {-1.3, true, 255},  {-257.5, false, 0}, {-512.5, true, 0},
    {-256.9, true, 0}, {511.9, true, 255}, {512.0, true, 0},   {-300.0, false, 0},
};

TEST(RegGridTest, LocateWrapsRowsAndColumnsByTheRemainderRule) {
  const RegGrid grid(256, 256);
  for (const LocateCase& c : kAxisCases) {
    SCOPED_TRACE(testing::Message() << "coordinate " << c.coordinate);
    const CellLocation byRow = grid.locate({c.coordinate, 10.5, 0, 1});
    EXPECT_EQ(byRow.inside, c.inside);
    if (c.inside) {
      EXPECT_EQ(byRow.i, c.index);
      EXPECT_EQ(byRow.j, 10);
    }
    const CellLocation byColumn = grid.locate({10.5, c.coordinate, 0, 1});
    EXPECT_EQ(byColumn.inside, c.inside);
    if (c.inside) {
      EXPECT_EQ(byColumn.i, 10);
      EXPECT_EQ(byColumn.j, c.index);
    }
    EXPECT_EQ(grid.contains({c.coordinate, c.coordinate, 0, 1}), c.inside);
  }
}

TEST(RegGridTest, LocateUsesRowsForXAndColumnsForYOnNonSquareGrids) {
  const RegGrid grid(3, 5);
  const CellLocation at = grid.locate({4.2, 6.9, 123.0, 1});  // z is ignored
  EXPECT_TRUE(at.inside);
  EXPECT_EQ(at.i, 1);
  EXPECT_EQ(at.j, 1);
  EXPECT_FALSE(grid.contains({-4.5, 0.5, 0, 1}));  // (-4 + 3) rem 3 = -1
  EXPECT_TRUE(grid.contains({0.5, -5.5, 0, 1}));   // (-5 + 5) rem 5 = 0
}

TEST(RegGridTest, PositionsThatDoNotFitAnIntAreOutside) {
  const RegGrid grid(256, 256);
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double bad : {nan, inf, -inf, 3e9, -3e9, 2147483648.0, -2147483649.0}) {
    SCOPED_TRACE(testing::Message() << bad);
    EXPECT_FALSE(grid.contains({bad, 1.5, 0, 1}));
    EXPECT_FALSE(grid.contains({1.5, bad, 0, 1}));
  }
  // The extremes that do fit are located without overflow.
  EXPECT_TRUE(grid.contains({2147483647.5, 1.5, 0, 1}));
  EXPECT_EQ(grid.locate({2147483647.5, 1.5, 0, 1}).i, (2147483647LL + 256) % 256);
  // (-2^31 + 256) rem 256 is 0.
  EXPECT_TRUE(grid.contains({-2147483648.5, 1.5, 0, 1}));
  EXPECT_EQ(grid.locate({-2147483648.5, 1.5, 0, 1}).i, 0);
}

TEST(RegGridTest, SamplersReadTheLocatedCellOrZeroOutside) {
  RegGrid grid(256, 256);
  grid.vectors[255][3] = {1.5, -2.0, 0.0};
  grid.texture[255][3] = 77;
  const Point3D wrapped{-1.3, 3.9, 0, 1};
  EXPECT_EQ(grid.sampleVector(wrapped).x, 1.5);
  EXPECT_EQ(grid.sampleVector(wrapped).y, -2.0);
  EXPECT_EQ(grid.sampleTexture(wrapped), 77.0);

  grid.vectors[0][3] = {9.0, 9.0, 0.0};
  grid.texture[0][3] = 5;
  const Point3D outside{-257.5, 3.5, 0, 1};
  EXPECT_EQ(grid.sampleVector(outside).x, 0.0);
  EXPECT_EQ(grid.sampleVector(outside).y, 0.0);
  EXPECT_EQ(grid.sampleTexture(outside), 0.0);
}

TEST(RegGridTest, ConstructionZeroesEveryPlaneAndRejectsEmptySizes) {
  const RegGrid grid(4, 7);
  EXPECT_EQ(grid.rows, 4);
  EXPECT_EQ(grid.cols, 7);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 7; ++j) {
      EXPECT_EQ(grid.hits[i][j], 0);
      EXPECT_EQ(grid.texture[i][j], 0);
      EXPECT_EQ(grid.accum[i][j], 0.0);
      EXPECT_EQ(grid.vectors[i][j].x, 0.0);
    }
  }
  EXPECT_THROW(RegGrid(0, 5), std::invalid_argument);
  EXPECT_THROW(RegGrid(5, -1), std::invalid_argument);
}

}  // namespace
}  // namespace fastlic
