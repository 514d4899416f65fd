#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "grid/vector3d.h"

namespace fastlic {

/// The sample flows that show a LIC picture well.
enum class SampleFlow { kVortex, kSaddle, kMix };

/// The flow named "vortex", "saddle" or "mix", if any.
std::optional<SampleFlow> sampleFlowNamed(std::string_view name);

/// The field vector of flow at the centre of cell (i, j) of a rows x cols grid (x along rows).
Vector3D sampleFlowVector(SampleFlow flow, int i, int j, int rows, int cols);

/// Writes "ps.vec.256.256.3" and "noise.256.256" for flow into folder (created if missing): the
/// vectors one pair per line with six decimals, the noise uniform in 0..255 from a generator seeded
/// with seed, so the same arguments always give the same files. Throws std::runtime_error when a
/// file cannot be written.
void writeSampleInputs(const std::filesystem::path& folder, SampleFlow flow, std::uint32_t seed);

}  // namespace fastlic
