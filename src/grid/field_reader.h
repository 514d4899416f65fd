#pragma once

#include <iosfwd>
#include <string>

#include "grid/reg_grid.h"

namespace fastlic {

/// The largest vector magnitude read in this process. It only ever rises, across runs too.
extern double MaxMagnitude;

/// How much of each input filled the grid: cells whose pair or texture value was read in full.
struct FieldReadCounts {
  long long cells = 0;
  long long vectorPairs = 0;
  long long textureValues = 0;
};

/// Fills every cell of grid in row-major order, one "%lf %lf" pair from vectors and one "%d"
/// value from texture per cell, in lockstep, and raises MaxMagnitude to each larger magnitude.
/// Where a stream runs out or stops parsing, the remaining cells repeat the values last read (0
/// where none was); a half-read pair changes only x. Values after the last cell are not read.
FieldReadCounts readFieldStreams(std::istream& vectors, std::istream& texture, RegGrid& grid);

/// readFieldStreams over two files. A path that cannot be opened and read as a file ends the
/// process with "Bad Vector Filename: <path>" (checked first) or "Bad Texture Filename: <path>" on
/// standard output and exit status 255. A short or malformed file is read as above and reported
/// by one warning line on standard error.
void readField(const std::string& vectorPath, const std::string& texturePath, RegGrid& grid);

}  // namespace fastlic
