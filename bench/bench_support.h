#pragma once

#include <filesystem>
#include <memory>

#include "app/sample_fields.h"
#include "grid/reg_grid.h"

namespace fastlic::bench {

/// A folder holding the sample inputs of flow, removed at exit.
const std::filesystem::path& sampleFolder(SampleFlow flow);

/// A rows x cols grid filled with flow and uniform noise, hits and accum zero.
std::unique_ptr<RegGrid> sampleGrid(SampleFlow flow, int rows, int cols);

/// Sets hits and accum back to zero, so the LIC pass can run again on the same grid.
void clearResults(RegGrid& grid);

}  // namespace fastlic::bench
