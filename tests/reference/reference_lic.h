#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A deliberately plain evaluation of the whole run, written line by line from the method's
// description and sharing no code with the engine: fscanf per value, a division-remainder lookup
// and a fresh normalisation on every field sample, printf per channel. It is slow on purpose; the
// engine must agree with it bit for bit.
namespace reference {

struct V3 {
  double x, y, z;
};

// The plain evaluation's own grid: a vector of rows per plane.
struct Grid {
  int rows = 0, cols = 0;
  std::vector<std::vector<V3>> vectors;
  std::vector<std::vector<int>> texture;
  std::vector<std::vector<int>> hits;
  std::vector<std::vector<double>> accum;
  double maxMagnitude = 0.0;
};

// The three stages on their own, for measuring them: read returns false when a file cannot be
// opened; convolve runs the LIC pass; picture formats the PPM with printf, and writePicture
// writes it to a stream.
bool read(const std::string& vectorPath, const std::string& texturePath, int rows, int cols,
          Grid& grid, double startMaxMagnitude = 0.0);
void convolve(Grid& grid);
std::string picture(const Grid& grid);
void writePicture(const Grid& grid, FILE* out);

struct Result {
  int rows = 0;
  int cols = 0;
  std::vector<double> accum;  // row-major
  std::vector<int> hits;      // row-major
  double maxMagnitude = 0.0;
  std::string picture;  // the PPM bytes
};

// One run on a rows x cols grid from the two files, with a maximum magnitude that starts at
// startMaxMagnitude (the engine's only ever rises within a process). Returns false when a file
// cannot be opened.
bool run(const std::string& vectorPath, const std::string& texturePath, int rows, int cols,
         Result& result, double startMaxMagnitude = 0.0);

}  // namespace reference
