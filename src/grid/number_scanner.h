#pragma once

#include <cstddef>
#include <istream>
#include <vector>

namespace fastlic {

/// Reads numbers from a text stream exactly as the C library's formatted input does with "%lf"
/// and "%d" (glibc's reading of each form, including how much of a malformed token it consumes),
/// but without a library call per value. The stream is read in large chunks; memory stays
/// proportional to the chunk size and the longest token.
class NumberScanner {
 public:
  explicit NumberScanner(std::istream& in);

  /// Skips white space and reads one double as "%lf" would: decimal or hexadecimal notation,
  /// "inf", "infinity" and "nan" in any case, with an optional sign. On false, value is
  /// unchanged and the input stays where the C reader would leave it, so a token that does not
  /// parse stops every later read too.
  bool readDouble(double& value);

  /// Skips white space and reads one decimal integer as "%d" would. Values beyond the int range
  /// saturate to its limits.
  bool readInt(int& value);

 private:
  // Makes [pos_, tokenEnd) hold the whole run of non-space characters at pos_, after skipping
  // white space; false when the input is exhausted.
  bool nextToken(std::size_t& tokenEnd);
  // Skips white space and makes sure a good stretch of text follows pos_ (or all that is left);
  // false when the input is exhausted.
  bool nextValue();
  bool fill();  // appends one chunk; false when nothing more came
  // One number by scanDouble or scanInt at pos_, reading on when it reaches the buffer's end.
  template <typename Scan, typename Value>
  bool readToken(Scan scan, Value& value);

  std::istream& in_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool exhausted_ = false;
};

/// How "%lf" reads the start of [first, last), which holds no white space: consumed is how many
/// characters the C reader takes, ok whether a value was converted. Exposed for tests.
struct ScannedDouble {
  bool ok = false;
  std::size_t consumed = 0;
  double value = 0.0;
};
ScannedDouble scanDouble(const char* first, const char* last);

/// The same for "%d"; out-of-range values saturate.
struct ScannedInt {
  bool ok = false;
  std::size_t consumed = 0;
  int value = 0;
};
ScannedInt scanInt(const char* first, const char* last);

}  // namespace fastlic
