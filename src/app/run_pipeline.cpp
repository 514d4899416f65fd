#include "app/run_pipeline.h"

#include <memory>

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

}  // namespace fastlic
