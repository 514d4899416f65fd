// Malformed, short and extreme input files through the real runner: each must give the picture
// the plain evaluation gives (the reading rules are the C library's), the exact warning, and the
// exit status.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "app/run_pipeline.h"
#include "app/sample_fields.h"
#include "reference/reference_lic.h"
#include "support/process.h"

namespace fastlic {
namespace {

const std::string kFastlic = FASTLIC_EXE;

// Texts of the two files as lines, one value (texture) or one pair (vectors) per line.
struct Inputs {
  std::vector<std::string> vectors;
  std::vector<std::string> texture;
};

std::string joined(const std::vector<std::string>& lines, const std::string& end = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

struct BadInputCase {
  std::string name;
  std::function<void(Inputs&)> change;                    // edits the well-formed lines
  std::function<std::string(const Inputs&)> vectorText;   // null: one pair per line
  std::function<std::string(const Inputs&)> textureText;  // null: one value per line
  std::string err;                                        // the expected standard error
};

const std::string kVectorWarning = "warning: ps.vec.256.256.3: ";
const std::string kTextureWarning = "warning: noise.256.256: ";
const std::string kRepeat =
    " read; the remaining cells repeat the last values read (0 where none was)\n";

std::vector<BadInputCase> badInputCases() {
  std::vector<BadInputCase> cases;
  const auto add = [&](BadInputCase c) { cases.push_back(std::move(c)); };
  add({"well_formed", [](Inputs&) {}, nullptr, nullptr, ""});
  add({"non_finite_vectors",
       [](Inputs& in) {
         const char* bad[] = {"nan 1", "inf 0", "-inf 2", "infinity -infinity", "0 NAN"};
         for (int n = 0; n < 5; ++n)
           for (int k = n * 997; k < 65536; k += 4099) in.vectors[k] = bad[n];
       },
       nullptr, nullptr, ""});
  add({"overflowing_magnitudes",
       [](Inputs& in) {
         for (int k = 100; k < 65536; k += 3001) in.vectors[k] = "1e200 -1e200";
       },
       nullptr, nullptr, ""});
  add({"short_vector_file", [](Inputs& in) { in.vectors.resize(1000); }, nullptr, nullptr,
       kVectorWarning + "1000 of 65536 vector pairs" + kRepeat});
  add({"empty_vector_file", [](Inputs& in) { in.vectors.clear(); }, nullptr, nullptr,
       kVectorWarning + "0 of 65536 vector pairs" + kRepeat});
  add({"garbage_token_in_vectors", [](Inputs& in) { in.vectors[30000] = "0.5 garbage"; }, nullptr,
       nullptr, kVectorWarning + "30000 of 65536 vector pairs" + kRepeat});
  add({"short_texture_file", [](Inputs& in) { in.texture.resize(65535); }, nullptr, nullptr,
       kTextureWarning + "65535 of 65536 texture values" + kRepeat});
  add({"garbage_token_in_texture", [](Inputs& in) { in.texture[12] = "12x"; }, nullptr, nullptr,
       kTextureWarning + "13 of 65536 texture values" + kRepeat});
  add({"both_files_short",
       [](Inputs& in) {
         in.vectors.resize(5);
         in.texture.resize(7);
       },
       nullptr, nullptr,
       kVectorWarning + "5 of 65536 vector pairs" + kRepeat + kTextureWarning +
           "7 of 65536 texture values" + kRepeat});
  add({"texture_beyond_0_255",
       [](Inputs& in) {
         for (int k = 0; k < 65536; k += 7) in.texture[k] = (k % 2) ? "300" : "-5";
       },
       nullptr, nullptr, ""});
  add({"crlf_line_endings", [](Inputs&) {},
       [](const Inputs& in) { return joined(in.vectors, "\r\n"); },
       [](const Inputs& in) { return joined(in.texture, "\r\n"); }, ""});
  add({"extra_values_after_the_last_cell",
       [](Inputs& in) {
         in.vectors.push_back("9 9");
         in.vectors.push_back("junk");
         in.texture.push_back("255 x");
       },
       nullptr, nullptr, ""});
  add({"pairs_split_over_lines_and_many_per_line", [](Inputs&) {},
       [](const Inputs& in) {
         std::string text;
         for (std::size_t k = 0; k < in.vectors.size(); ++k) {
           std::string pair = in.vectors[k];
           if (k % 2 == 0) pair.replace(pair.find(' '), 1, "\n");
           text += pair + ((k % 3 == 0) ? "\t" : "\n");
         }
         return text;
       },
       [](const Inputs& in) { return joined(in.texture, " "); }, ""});
  for (BadInputCase& c : cases) {
    if (!c.vectorText) c.vectorText = [](const Inputs& in) { return joined(in.vectors); };
    if (!c.textureText) c.textureText = [](const Inputs& in) { return joined(in.texture); };
  }
  return cases;
}

Inputs sampleInputs() {
  support::TempDir dir;
  writeSampleInputs(dir.path(), SampleFlow::kMix, 21);
  Inputs in;
  std::istringstream vectors(support::readFile(dir / kVectorFileName));
  std::istringstream texture(support::readFile(dir / kTextureFileName));
  for (std::string line; std::getline(vectors, line);) in.vectors.push_back(line);
  for (std::string line; std::getline(texture, line);) in.texture.push_back(line);
  return in;
}

void PrintTo(const BadInputCase& c, std::ostream* os) { *os << c.name; }

class BadInputTest : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInputTest, RunnerGivesThePlainEvaluationsPictureAndTheExactWarnings) {
  const BadInputCase& c = GetParam();
  static const Inputs base = sampleInputs();
  Inputs in = base;
  c.change(in);
  support::TempDir dir;
  support::writeFile(dir / kVectorFileName, c.vectorText(in));
  support::writeFile(dir / kTextureFileName, c.textureText(in));

  const support::ProcessResult run = support::runIn(dir.path(), "'" + kFastlic + "'");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, c.err);
  reference::Result expected;
  ASSERT_TRUE(reference::run((dir / kVectorFileName).string(), (dir / kTextureFileName).string(),
                             256, 256, expected));
  EXPECT_EQ(run.out.rfind("P3\t256\t256\t255\n", 0), 0u);
  EXPECT_TRUE(run.out == expected.picture) << "the picture differs from the plain evaluation";
}

INSTANTIATE_TEST_SUITE_P(Files, BadInputTest, ::testing::ValuesIn(badInputCases()),
                         [](const ::testing::TestParamInfo<BadInputCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace fastlic
