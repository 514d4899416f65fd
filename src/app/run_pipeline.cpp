#include "app/run_pipeline.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "grid/field_reader.h"
#include "grid/reg_grid.h"
#include "lic/compute_lic.h"
#include "output/color_map.h"
#include "output/ppm_writer.h"

namespace fastlic {

void runPipeline(std::ostream& out) {
  const auto grid = std::make_unique<RegGrid>(kRunRows, kRunCols);
  readField(kVectorFileName, kTextureFileName, *grid);
  setupColorMap();
  CurrentGrid = grid.get();
  computeLIC();
  writePPM(*grid, out);
  CurrentGrid = nullptr;
}

bool finishPictureOutput(const char* program) {
  std::cout.flush();
  errno = 0;
  if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  const int error = errno;
  std::cerr << program << ": could not write the picture to standard output"
            << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
  return false;
}

}  // namespace fastlic
