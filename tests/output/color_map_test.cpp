#include "output/color_map.h"

#include <gtest/gtest.h>

#include <limits>

namespace fastlic {
namespace {

struct ColorCase {
  double x;
  double red, green, blue;
};

TEST(ColorMapTest, MagnitudeColorsStartBlackAndGetFourControlPoints) {
  const ColorMap fresh(4);
  ASSERT_EQ(fresh.entryCount, 4);
  for (const Point3D& e : fresh.entries) {
    EXPECT_EQ(e.x, 0.0);
    EXPECT_EQ(e.w, 1.0);
  }
  setupColorMap();
  setupColorMap();  // a second run assigns the same points
  ASSERT_EQ(MagnitudeColors.entryCount, 4);
  const double expected[4][3] = {{100, 100, 100}, {150, 0, 0}, {255, 0, 0}, {0, 0, 255}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(MagnitudeColors.entries[k].x, expected[k][0]);
    EXPECT_EQ(MagnitudeColors.entries[k].y, expected[k][1]);
    EXPECT_EQ(MagnitudeColors.entries[k].z, expected[k][2]);
    EXPECT_EQ(MagnitudeColors.entries[k].w, 1.0);
  }
}

TEST(ColorMapTest, InterpolatesAQuarterOfTheRangePerSegment) {
  setupColorMap();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const ColorCase cases[] = {
      {0.0, 100, 100, 100},
      {0.125, 125, 50, 50},
      {0.25, 150, 0, 0},
      {0.3, 171, 0, 0},
      {0.5, 255, 0, 0},
      {0.6, 153, 0, 102},
      {0.7, 51, 0, 204},
      // From three quarters on, the last control point.
      {0.75, 0, 0, 255},
      {0.9, 0, 0, 255},
      {1.0, 0, 0, 255},
      {1e300, 0, 0, 255},
      // Below zero and NaN are read as zero.
      {-0.5, 100, 100, 100},
      {nan, 100, 100, 100},
  };
  for (const ColorCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "x = " << c.x);
    const Point3D colour = colorAt(MagnitudeColors, c.x);
    EXPECT_NEAR(colour.x, c.red, 1e-9);
    EXPECT_NEAR(colour.y, c.green, 1e-9);
    EXPECT_NEAR(colour.z, c.blue, 1e-9);
    EXPECT_EQ(colour.w, 1.0);
  }
}

TEST(ColorMapTest, ResultHasWOneWhateverTheEntriesHold) {
  ColorMap map(2);
  map.entries[0] = {10, 20, 30, 5};
  map.entries[1] = {50, 60, 70, 9};
  const Point3D middle = colorAt(map, 0.25);  // t = 0.5
  EXPECT_EQ(middle.x, 30.0);
  EXPECT_EQ(middle.w, 1.0);
  EXPECT_EQ(colorAt(map, 0.9).w, 1.0);
}

}  // namespace
}  // namespace fastlic
