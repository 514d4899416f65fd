#pragma once

#include <iostream>

namespace fastlic {

/// The grid size of a run.
inline constexpr int kRunRows = 256;
inline constexpr int kRunCols = 256;
/// The input files of a run, relative to the current directory.
inline constexpr const char* kVectorFileName = "ps.vec.256.256.3";
inline constexpr const char* kTextureFileName = "noise.256.256";

/// One whole run: builds a 256 x 256 grid, reads both input files into it, assigns the colour
/// map, computes the LIC and writes the picture to out. A missing input file ends the process
/// (exit status 255). The grid is released, and CurrentGrid emptied, before it returns.
void runPipeline(std::ostream& out = std::cout);

/// Flushes standard output after a picture. When the picture could not be written completely
/// (closed output, full disk, reader gone), says so on standard error, prefixed with program,
/// and returns false.
bool finishPictureOutput(const char* program);

}  // namespace fastlic
