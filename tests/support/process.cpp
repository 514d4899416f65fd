#include "support/process.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fastlic::support {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fastlic-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

ProcessResult runIn(const std::filesystem::path& folder, const std::string& commandLine) {
  TempDir capture;
  const std::string line = "cd '" + folder.string() + "' && { " + commandLine +
                           " ; } < /dev/null > '" + (capture / "out").string() + "' 2> '" +
                           (capture / "err").string() + "'";
  const int status = std::system(line.c_str());
  ProcessResult result;
  if (status != -1 && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  result.out = readFile(capture / "out");
  result.err = readFile(capture / "err");
  return result;
}

}  // namespace fastlic::support
