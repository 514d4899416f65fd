#include "grid/field_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "support/process.h"

namespace fastlic {
namespace {

struct Cell {
  double x, y;
  int t;
};

FieldReadCounts readInto(RegGrid& grid, const std::string& vectors, const std::string& texture) {
  std::istringstream vectorStream(vectors);
  std::istringstream textureStream(texture);
  return readFieldStreams(vectorStream, textureStream, grid);
}

void expectCells(const RegGrid& grid, std::initializer_list<Cell> cells) {
  int n = 0;
  for (const Cell& c : cells) {
    const int i = n / grid.cols;
    const int j = n % grid.cols;
    SCOPED_TRACE(testing::Message() << "cell " << i << ',' << j);
    EXPECT_EQ(grid.vectors[i][j].x, c.x);
    EXPECT_EQ(grid.vectors[i][j].y, c.y);
    EXPECT_EQ(grid.vectors[i][j].z, 0.0);
    EXPECT_EQ(grid.texture[i][j], c.t);
    ++n;
  }
}

class FieldReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { MaxMagnitude = 0.0; }
  void TearDown() override { MaxMagnitude = 0.0; }
};

TEST_F(FieldReaderTest, LayoutOfLinesDoesNotMatter) {
  const char* const layouts[] = {
      "1 2\n3 4\n-0.5 6e-1\n",
      "1 2 3 4 -0.5 6e-1",
      "1\n2\n3\n4\n-0.5\n6e-1\n",
      "  1\t2\r\n3 4\r\n-0.5 6e-1\r\n\r\n",
  };
  for (const char* layout : layouts) {
    SCOPED_TRACE(layout);
    RegGrid grid(1, 3);
    const FieldReadCounts counts = readInto(grid, layout, "7\n8 9");
    expectCells(grid, {{1, 2, 7}, {3, 4, 8}, {-0.5, 0.6, 9}});
    EXPECT_EQ(counts.cells, 3);
    EXPECT_EQ(counts.vectorPairs, 3);
    EXPECT_EQ(counts.textureValues, 3);
  }
}

TEST_F(FieldReaderTest, CellsFillRowMajorAndExtraValuesAreIgnored) {
  RegGrid grid(2, 2);
  readInto(grid, "1 0 2 0 3 0 4 0 5 0 6 0", "300 -5 0 255 17 18");
  expectCells(grid, {{1, 0, 300}, {2, 0, -5}, {3, 0, 0}, {4, 0, 255}});
}

TEST_F(FieldReaderTest, ShortOrMalformedFilesRepeatTheLastValuesRead) {
  struct Case {
    const char* name;
    const char* vectors;
    const char* texture;
    Cell expected[4];
    long long pairs;
    long long values;
  };
  const Case cases[] = {
      {"empty files give zeros", "", "", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, 0, 0},
      {"short files", "1 2\n", "5", {{1, 2, 5}, {1, 2, 5}, {1, 2, 5}, {1, 2, 5}}, 1, 1},
      {"half a pair changes x only",
       "1 2\n3",
       "5 6",
       {{1, 2, 5}, {3, 2, 6}, {3, 2, 6}, {3, 2, 6}},
       1,
       2},
      {"garbage stops every later read",
       "1 2\nabc\n5 6\n7 8",
       "1 x 3 4",
       {{1, 2, 1}, {1, 2, 1}, {1, 2, 1}, {1, 2, 1}},
       1,
       1},
      {"garbage second number",
       "1 2\n3 ? 5 6",
       "1 2 3 4",
       {{1, 2, 1}, {3, 2, 2}, {3, 2, 3}, {3, 2, 4}},
       1,
       4},
      {"a lone sign is taken and reading goes on",
       "1 2 - 3 4 5 6",
       "1 2 3 4",
       {{1, 2, 1}, {1, 2, 2}, {3, 4, 3}, {5, 6, 4}},
       3,
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegGrid grid(2, 2);
    const FieldReadCounts counts = readInto(grid, c.vectors, c.texture);
    expectCells(grid, {c.expected[0], c.expected[1], c.expected[2], c.expected[3]});
    EXPECT_EQ(counts.vectorPairs, c.pairs);
    EXPECT_EQ(counts.textureValues, c.values);
  }
}

TEST_F(FieldReaderTest, MaxMagnitudeOnlyRises) {
  RegGrid grid(1, 2);
  readInto(grid, "3 4\n0 1\n", "0 0");
  EXPECT_EQ(MaxMagnitude, 5.0);
  readInto(grid, "3 4\n0 1\n", "0 0");
  EXPECT_EQ(MaxMagnitude, 5.0);
  readInto(grid, "0.3 0.4\n0 1\n", "0 0");
  EXPECT_EQ(MaxMagnitude, 5.0);
  readInto(grid, "nan 0\n-6 -8\n", "0 0");  // NaN never compares greater
  EXPECT_EQ(MaxMagnitude, 10.0);
  readInto(grid, "1e200 0\n0 0\n", "0 0");  // the square overflows
  EXPECT_EQ(MaxMagnitude, std::numeric_limits<double>::infinity());
}

TEST_F(FieldReaderTest, ShortFilesAreReportedOnStandardErrorOnce) {
  support::TempDir dir;
  support::writeFile(dir / "vec", "1 2\n3 4\n");
  support::writeFile(dir / "tex", "1 2 3 4 5 6");
  RegGrid grid(2, 2);
  ::testing::internal::CaptureStderr();
  readField((dir / "vec").string(), (dir / "tex").string(), grid);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "warning: " + (dir / "vec").string() +
                     ": 2 of 4 vector pairs read; the remaining cells repeat the last values read "
                     "(0 where none was)\n");
  expectCells(grid, {{1, 2, 1}, {3, 4, 2}, {3, 4, 3}, {3, 4, 4}});

  support::writeFile(dir / "vec", "1 2 3 4 5 6 7 8");
  support::writeFile(dir / "tex", "9 x");
  ::testing::internal::CaptureStderr();
  readField((dir / "vec").string(), (dir / "tex").string(), grid);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "warning: " + (dir / "tex").string() +
                ": 1 of 4 texture values read; the remaining cells repeat the last values read "
                "(0 where none was)\n");

  support::writeFile(dir / "tex", "9 8 7 6");
  ::testing::internal::CaptureStderr();
  readField((dir / "vec").string(), (dir / "tex").string(), grid);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

using FieldReaderDeathTest = FieldReaderTest;

TEST_F(FieldReaderDeathTest, UnreadableFilesEndTheProcessWithStatus255) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  support::TempDir dir;
  support::writeFile(dir / "vec", "1 2");
  support::writeFile(dir / "tex", "1");
  std::filesystem::create_directory(dir / "folder");
  RegGrid grid(1, 1);
  const std::string vec = (dir / "vec").string();
  const std::string tex = (dir / "tex").string();
  const std::string missing = (dir / "missing").string();
  const std::string folder = (dir / "folder").string();
  EXPECT_EXIT(readField(missing, tex, grid), ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(readField(vec, missing, grid), ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(readField(folder, tex, grid), ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(readField(vec, folder, grid), ::testing::ExitedWithCode(255), "");
}

}  // namespace
}  // namespace fastlic
