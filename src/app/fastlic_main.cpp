// The headless runner: one run in the current directory, the picture on standard output.
#include <csignal>
#include <iostream>
#include <string_view>

#include "app/run_pipeline.h"

namespace {

constexpr const char* kUsage =
    "usage: fastlic [--help]\n"
    "Renders ps.vec.256.256.3 (256 x 256 vector pairs) with noise.256.256 (256 x 256 integers)\n"
    "from the current directory as a line integral convolution picture, and writes it as a\n"
    "plain PPM image to standard output.\n";

constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc > 1) {
    std::cerr << "fastlic: unexpected argument '" << argv[1] << "'\n" << kUsage;
    return kExitUsage;
  }
  // A reader that goes away early must turn into a reported write error, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);

  fastlic::runPipeline();
  if (!fastlic::finishPictureOutput("fastlic")) return kExitWriteFailed;
  return 0;
}
