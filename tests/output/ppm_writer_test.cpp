#include "output/ppm_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "grid/field_reader.h"
#include "output/color_map.h"

namespace fastlic {
namespace {

class PpmWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupColorMap();
    MaxMagnitude = 0.0;
  }
  void TearDown() override { MaxMagnitude = 0.0; }

  static std::string written(const RegGrid& grid) {
    std::ostringstream out;
    writePPM(grid, out);
    return out.str();
  }
};

TEST_F(PpmWriterTest, HeaderIsTabSeparatedWidthThenHeight) {
  const RegGrid square(256, 256);
  EXPECT_EQ(written(square).substr(0, 15), "P3\t256\t256\t255\n");
  const RegGrid wide(2, 3);
  EXPECT_EQ(written(wide).substr(0, 11), "P3\t3\t2\t255\n");
}

TEST_F(PpmWriterTest, PixelsRunRowByRowAndAreDarkenedByIntensity) {
  RegGrid grid(2, 3);
  MaxMagnitude = 4.0;
  // Row 0: zero vector at full, half and no intensity; row 1: magnitudes 1, 2 and 3 of 4.
  grid.accum[0][0] = 255.0;
  grid.accum[0][1] = 127.5;
  grid.accum[0][2] = 0.0;
  grid.vectors[0][2] = {3, 0, 0};
  grid.vectors[1][0] = {1, 0, 0};
  grid.vectors[1][1] = {0, -2, 0};
  grid.vectors[1][2] = {0, 3, 0};
  grid.accum[1][0] = 255.0;
  grid.accum[1][1] = 127.5;
  grid.accum[1][2] = 51.0;
  EXPECT_EQ(written(grid),
            "P3\t3\t2\t255\n"
            "100 100 100\n"
            "50 50 50\n"
            "0 0 0\n"
            "150 0 0\n"
            "128 0 0\n"  // 127.5 rounds away from zero
            "0 0 51\n");
}

TEST_F(PpmWriterTest, ChannelsAreRoundedAndClampedAndNaNIsZero) {
  struct Case {
    double v;
    int channel;
  };
  const Case cases[] = {{0.0, 0},
                        {0.49, 0},
                        {0.5, 1},
                        {1.5, 2},
                        {254.5, 255},
                        {254.49, 254},
                        {255.0, 255},
                        {300.7, 255},
                        {-3.0, 0},
                        {-0.6, 0},
                        {std::numeric_limits<double>::quiet_NaN(), 0},
                        {std::numeric_limits<double>::infinity(), 255},
                        {-std::numeric_limits<double>::infinity(), 0}};
  for (const Case& c : cases) EXPECT_EQ(channelValue(c.v), c.channel) << c.v;
}

TEST_F(PpmWriterTest, UndefinedMagnitudesAreColouredAsZero) {
  RegGrid grid(1, 2);
  grid.accum[0][0] = 255.0;
  grid.accum[0][1] = 510.0;  // texture beyond 255 pushes channels past the top
  MaxMagnitude = 0.0;        // an all-zero field: 0 / 0
  EXPECT_EQ(written(grid), "P3\t2\t1\t255\n100 100 100\n200 200 200\n");

  grid.vectors[0][0] = {std::numeric_limits<double>::infinity(), 0, 0};
  grid.vectors[0][1] = {std::numeric_limits<double>::quiet_NaN(), 0, 0};
  MaxMagnitude = std::numeric_limits<double>::infinity();
  EXPECT_EQ(written(grid), "P3\t2\t1\t255\n100 100 100\n200 200 200\n");
}

}  // namespace
}  // namespace fastlic
