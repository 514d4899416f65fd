// Writes deterministic sample inputs for fastlic into a folder.
#include <cstdint>
#include <exception>
#include <iostream>
#include <string>

#include "app/sample_fields.h"

namespace {

constexpr const char* kUsage =
    "usage: fastlic-sample FOLDER [vortex|saddle|mix] [SEED]\n"
    "Writes ps.vec.256.256.3 and noise.256.256 for the named flow (default vortex) into FOLDER,\n"
    "with uniform noise from the given seed (default 1).\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc < 2 || argc > 4) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string flowName = argc >= 3 ? argv[2] : "vortex";
  const auto flow = fastlic::sampleFlowNamed(flowName);
  if (!flow) {
    std::cerr << "fastlic-sample: unknown flow '" << flowName << "'\n" << kUsage;
    return 2;
  }
  std::uint32_t seed = 1;
  if (argc == 4) {
    try {
      const unsigned long value = std::stoul(argv[3]);
      seed = static_cast<std::uint32_t>(value);
    } catch (const std::exception&) {
      std::cerr << "fastlic-sample: the seed must be a whole number\n" << kUsage;
      return 2;
    }
  }
  try {
    fastlic::writeSampleInputs(argv[1], *flow, seed);
  } catch (const std::exception& error) {
    std::cerr << "fastlic-sample: " << error.what() << '\n';
    return 1;
  }
  std::cout << "wrote " << argv[1] << "/ps.vec.256.256.3 and " << argv[1] << "/noise.256.256 ("
            << flowName << ", seed " << seed << ")\n";
  return 0;
}
