// Each stage of a 256 x 256 run and the whole run, measured for the engine and for the plain
// reference evaluation on the same inputs in the same process; prints reference / engine ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "app/run_pipeline.h"
#include "bench_support.h"
#include "grid/field_reader.h"
#include "lic/compute_lic.h"
#include "output/color_map.h"
#include "output/ppm_writer.h"
#include "reference/reference_lic.h"

namespace {

using fastlic::SampleFlow;
namespace fb = fastlic::bench;

std::string path(const char* name) { return (fb::sampleFolder(SampleFlow::kMix) / name).string(); }

void engineRead(benchmark::State& state) {
  for (auto _ : state) {
    fastlic::RegGrid grid(fastlic::kRunRows, fastlic::kRunCols);
    fastlic::readField(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), grid);
    benchmark::DoNotOptimize(grid.vectors.data());
  }
}

void referenceRead(benchmark::State& state) {
  for (auto _ : state) {
    reference::Grid grid;
    reference::read(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), 256, 256,
                    grid);
    benchmark::DoNotOptimize(grid.vectors.data());
  }
}

void engineLic(benchmark::State& state) {
  fastlic::RegGrid grid(fastlic::kRunRows, fastlic::kRunCols);
  fastlic::readField(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), grid);
  fastlic::CurrentGrid = &grid;
  for (auto _ : state) {
    state.PauseTiming();
    fb::clearResults(grid);
    state.ResumeTiming();
    fastlic::computeLIC();
  }
  fastlic::CurrentGrid = nullptr;
}

void referenceLic(benchmark::State& state) {
  reference::Grid loaded;
  reference::read(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), 256, 256,
                  loaded);
  for (auto _ : state) {
    state.PauseTiming();
    reference::Grid grid = loaded;
    state.ResumeTiming();
    reference::convolve(grid);
  }
}

void engineWrite(benchmark::State& state) {
  fastlic::RegGrid grid(fastlic::kRunRows, fastlic::kRunCols);
  fastlic::readField(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), grid);
  fastlic::setupColorMap();
  fastlic::CurrentGrid = &grid;
  fastlic::computeLIC();
  fastlic::CurrentGrid = nullptr;
  // Both writers go to the null device, so only the formatting and the stream layer count.
  std::ofstream out("/dev/null", std::ios::binary);
  for (auto _ : state) fastlic::writePPM(grid, out);
}

void referenceWrite(benchmark::State& state) {
  reference::Grid grid;
  reference::read(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), 256, 256, grid);
  reference::convolve(grid);
  FILE* out = std::fopen("/dev/null", "w");
  for (auto _ : state) reference::writePicture(grid, out);
  std::fclose(out);
}

void enginePipeline(benchmark::State& state) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(fb::sampleFolder(SampleFlow::kMix));
  std::ofstream out("/dev/null", std::ios::binary);
  for (auto _ : state) fastlic::runPipeline(out);
  std::filesystem::current_path(previous);
}

void referencePipeline(benchmark::State& state) {
  FILE* out = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    reference::Grid grid;
    reference::read(path(fastlic::kVectorFileName), path(fastlic::kTextureFileName), 256, 256,
                    grid);
    reference::convolve(grid);
    reference::writePicture(grid, out);
  }
  std::fclose(out);
}

// Keeps each benchmark's median (or its single figure without repetitions) for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median ||
          (run.run_type == Run::RT_Iteration && !seconds_.count(run.run_name.function_name)))
        seconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }
  void printRatios() const {
    std::printf("\nreference / engine, median wall time:\n");
    for (const char* stage : {"read", "lic", "write", "pipeline"}) {
      const auto engine = seconds_.find(std::string(stage) + "/engine");
      const auto reference = seconds_.find(std::string(stage) + "/reference");
      if (engine == seconds_.end() || reference == seconds_.end()) continue;
      std::printf("  %-9s %9.3f ms / %7.3f ms = %6.1f x\n", stage, reference->second,
                  engine->second, reference->second / engine->second);
    }
  }

 private:
  std::map<std::string, double> seconds_;  // in milliseconds
};

}  // namespace

int main(int argc, char** argv) {
  const std::pair<const char*, void (*)(benchmark::State&)> benchmarks[] = {
      {"read/reference", referenceRead},         {"read/engine", engineRead},
      {"lic/reference", referenceLic},           {"lic/engine", engineLic},
      {"write/reference", referenceWrite},       {"write/engine", engineWrite},
      {"pipeline/reference", referencePipeline}, {"pipeline/engine", enginePipeline},
  };
  for (const auto& [name, function] : benchmarks)
    benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios();
  benchmark::Shutdown();
  return 0;
}
