// The LIC pass on square grids from 64 x 64 to 2048 x 2048: the cost per cell should not grow
// with the size.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "lic/compute_lic.h"

namespace {

void BM_ComputeLic(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const auto grid = fastlic::bench::sampleGrid(fastlic::SampleFlow::kMix, size, size);
  fastlic::CurrentGrid = grid.get();
  for (auto _ : state) {
    state.PauseTiming();
    fastlic::bench::clearResults(*grid);
    state.ResumeTiming();
    fastlic::computeLIC();
  }
  fastlic::CurrentGrid = nullptr;
  // Shown as time per cell.
  state.counters["per_cell"] = benchmark::Counter(
      static_cast<double>(size) * size,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ComputeLic)->RangeMultiplier(2)->Range(64, 2048)->Unit(benchmark::kMillisecond);

}  // namespace
