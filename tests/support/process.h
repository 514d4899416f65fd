#pragma once

#include <filesystem>
#include <string>

namespace fastlic::support {

/// A fresh folder under the system's temporary directory, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

/// What a finished child process left behind.
struct ProcessResult {
  int exitStatus = -1;  // -1 when it did not exit normally
  std::string out;
  std::string err;
};

/// Runs a shell command line in folder, standard input from /dev/null, capturing both outputs.
ProcessResult runIn(const std::filesystem::path& folder, const std::string& commandLine);

/// The whole content of a file.
std::string readFile(const std::filesystem::path& path);

/// Writes text to a file, replacing it.
void writeFile(const std::filesystem::path& path, const std::string& text);

}  // namespace fastlic::support
