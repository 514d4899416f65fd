// Feeds arbitrary bytes as the two input files through the reader, the LIC pass and the writer on
// a small grid. The first byte picks the grid size, the rest is split at the first NUL byte into
// the vector file and the texture file.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "grid/field_reader.h"
#include "lic/compute_lic.h"
#include "output/color_map.h"
#include "output/ppm_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int rows = 1 + (data[0] & 0x0f);
  const int cols = 1 + (data[0] >> 4);
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = rest.find('\0');
  std::istringstream vectors(rest.substr(0, split));
  std::istringstream texture(split == std::string::npos ? std::string() : rest.substr(split + 1));

  fastlic::MaxMagnitude = 0.0;
  fastlic::RegGrid grid(rows, cols);
  fastlic::readFieldStreams(vectors, texture, grid);
  fastlic::setupColorMap();
  fastlic::CurrentGrid = &grid;
  fastlic::computeLIC();
  std::ostringstream picture;
  fastlic::writePPM(grid, picture);
  fastlic::CurrentGrid = nullptr;

  // Every cell is seeded or covered, so every cell must have been recorded at least once.
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j)
      if (grid.hits[i][j] < 1) __builtin_trap();
  return 0;
}
