// The headless runner as a user runs it: a process in a folder, the picture on standard output.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/run_pipeline.h"
#include "grid/field_reader.h"
#include "reference/reference_lic.h"
#include "support/process.h"

namespace fastlic {
namespace {

namespace fs = std::filesystem;
const std::string kFastlic = FASTLIC_EXE;
const std::string kSample = FASTLIC_SAMPLE_EXE;
const fs::path kData = FASTLIC_TEST_DATA;

std::string quoted(const std::string& path) { return "'" + path + "'"; }

TEST(FastlicCliTest, ZeroFieldGivesTheTextureInGreyExactly) {
  support::TempDir dir;
  fs::copy(kData / "zero-field", dir.path(), fs::copy_options::recursive);
  const support::ProcessResult run = support::runIn(dir.path(), quoted(kFastlic));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");

  // Derived without the engine: every streamline stays on its seed, so each cell's intensity is
  // its own texture value t; an all-zero field has magnitude 0 everywhere, coloured grey 100, so
  // each channel is 100 t / 255 rounded, which integer arithmetic gives exactly (no ties occur).
  std::istringstream texture(support::readFile(kData / "zero-field" / "noise.256.256"));
  std::string expected = "P3\t256\t256\t255\n";
  int t = 0;
  int cells = 0;
  while (texture >> t) {
    const std::string channel = std::to_string((200 * t + 255) / 510);
    expected += channel + ' ' + channel + ' ' + channel + '\n';
    ++cells;
  }
  ASSERT_EQ(cells, 256 * 256);
  EXPECT_TRUE(run.out == expected) << "the picture differs from the derived one";
}

TEST(FastlicCliTest, SampleFlowsMatchThePlainEvaluation) {
  for (const char* flow : {"mix", "saddle"}) {
    SCOPED_TRACE(flow);
    support::TempDir dir;
    ASSERT_EQ(support::runIn(dir.path(), quoted(kSample) + " . " + flow + " 9").exitStatus, 0);
    const support::ProcessResult run = support::runIn(dir.path(), quoted(kFastlic));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    reference::Result expected;
    ASSERT_TRUE(reference::run((dir / kVectorFileName).string(), (dir / kTextureFileName).string(),
                               256, 256, expected));
    EXPECT_TRUE(run.out == expected.picture) << "the picture differs from the plain evaluation";
  }
}

TEST(FastlicCliTest, UnreadableInputFilesGiveTheirMessageAndStatus255) {
  struct Case {
    const char* name;
    bool vectors;
    bool texture;
    bool vectorsIsFolder;
    bool textureIsFolder;
    const char* out;
  };
  const Case cases[] = {
      {"no files", false, false, false, false, "Bad Vector Filename: ps.vec.256.256.3\n"},
      {"no texture", true, false, false, false, "Bad Texture Filename: noise.256.256\n"},
      {"no vectors", false, true, false, false, "Bad Vector Filename: ps.vec.256.256.3\n"},
      {"vectors is a folder", false, true, true, false, "Bad Vector Filename: ps.vec.256.256.3\n"},
      {"texture is a folder", true, false, false, true, "Bad Texture Filename: noise.256.256\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    support::TempDir dir;
    if (c.vectors) support::writeFile(dir / kVectorFileName, "1 0\n");
    if (c.texture) support::writeFile(dir / kTextureFileName, "7\n");
    if (c.vectorsIsFolder) fs::create_directory(dir / kVectorFileName);
    if (c.textureIsFolder) fs::create_directory(dir / kTextureFileName);
    const support::ProcessResult run = support::runIn(dir.path(), quoted(kFastlic));
    EXPECT_EQ(run.exitStatus, 255);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
  }
}

TEST(FastlicCliTest, HelpAndUnknownArguments) {
  support::TempDir dir;
  const support::ProcessResult help = support::runIn(dir.path(), quoted(kFastlic) + " --help");
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.out.rfind("usage: fastlic", 0), 0u) << help.out;

  const support::ProcessResult bad = support::runIn(dir.path(), quoted(kFastlic) + " --size 512");
  EXPECT_EQ(bad.exitStatus, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("usage: fastlic"), std::string::npos) << bad.err;
}

TEST(FastlicCliTest, APictureThatCannotBeWrittenIsReportedWithStatus1) {
  support::TempDir dir;
  fs::copy(kData / "zero-field", dir.path(), fs::copy_options::recursive);
  struct Case {
    const char* name;
    std::string command;
  };
  const Case cases[] = {
      {"full disk", quoted(kFastlic) + " > /dev/full"},
      {"closed standard output", quoted(kFastlic) + " >&-"},
      // The reader takes one byte and goes away; the writer must neither hang nor die silently.
      {"pipe closed early",
       "bash -c \"" + quoted(kFastlic) + " | head -c 1 > /dev/null; exit \\${PIPESTATUS[0]}\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const support::ProcessResult run = support::runIn(dir.path(), c.command);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err.rfind("fastlic: could not write the picture to standard output", 0), 0u)
        << run.err;
  }
}

// Runs the pipeline in-process with folder as the current directory.
std::string runPipelineIn(const fs::path& folder) {
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  std::ostringstream out;
  runPipeline(out);
  fs::current_path(previous);
  return out.str();
}

TEST(RunPipelineTest, TwoRunsInOneProcessWriteTheSamePictureAndReleaseTheGrid) {
  support::TempDir dir;
  ASSERT_EQ(support::runIn(dir.path(), quoted(kSample) + " . vortex 3").exitStatus, 0);
  MaxMagnitude = 0.0;
  const std::string first = runPipelineIn(dir.path());
  const std::string second = runPipelineIn(dir.path());
  EXPECT_EQ(first.size(), second.size());
  EXPECT_TRUE(first == second);
  EXPECT_EQ(first.rfind("P3\t256\t256\t255\n", 0), 0u);
  EXPECT_EQ(CurrentGrid, nullptr);
  MaxMagnitude = 0.0;
}

long peakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(RunPipelineTest, ManyRunsInOneProcessKeepMemoryFlat) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine; its leak check covers this";
#endif
  support::TempDir dir;
  ASSERT_EQ(support::runIn(dir.path(), quoted(kSample) + " . saddle 4").exitStatus, 0);
  for (int run = 0; run < 3; ++run) runPipelineIn(dir.path());
  const long settled = peakResidentKilobytes();
  for (int run = 0; run < 30; ++run) runPipelineIn(dir.path());
  // A grid of a run takes about 2.6 MB; thirty kept grids would add some 80 MB.
  EXPECT_LT(peakResidentKilobytes() - settled, 3000);
  EXPECT_EQ(CurrentGrid, nullptr);
  MaxMagnitude = 0.0;
}

}  // namespace
}  // namespace fastlic
