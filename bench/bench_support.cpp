#include "bench_support.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

namespace fastlic::bench {

namespace {

struct Folders {
  std::map<SampleFlow, std::filesystem::path> paths;
  ~Folders() {
    std::error_code ignored;
    for (const auto& [flow, path] : paths) std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

const std::filesystem::path& sampleFolder(SampleFlow flow) {
  static Folders folders;
  auto found = folders.paths.find(flow);
  if (found != folders.paths.end()) return found->second;
  std::string pattern = (std::filesystem::temp_directory_path() / "fastlic-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  writeSampleInputs(pattern, flow, 1);
  return folders.paths.emplace(flow, pattern).first->second;
}

std::unique_ptr<RegGrid> sampleGrid(SampleFlow flow, int rows, int cols) {
  auto grid = std::make_unique<RegGrid>(rows, cols);
  std::mt19937 generator(1);
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < cols; ++j) {
      grid->vectors[i][j] = sampleFlowVector(flow, i, j, rows, cols);
      grid->texture[i][j] = static_cast<int>(generator() % 256);
    }
  }
  return grid;
}

void clearResults(RegGrid& grid) {
  std::fill(grid.hits.data(), grid.hits.data() + grid.hits.size(), 0);
  std::fill(grid.accum.data(), grid.accum.data() + grid.accum.size(), 0.0);
}

}  // namespace fastlic::bench
