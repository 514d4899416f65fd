// The plain reference evaluation as a whole program, for timing against fastlic process for
// process: reads the two files in the current directory, writes the PPM to standard output.
#include <cstdio>

#include "reference/reference_lic.h"

int main() {
  reference::Grid grid;
  if (!reference::read("ps.vec.256.256.3", "noise.256.256", 256, 256, grid)) {
    std::printf("Bad Vector Filename: ps.vec.256.256.3\n");
    return 255;
  }
  reference::convolve(grid);
  reference::writePicture(grid, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
