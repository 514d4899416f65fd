#include "grid/number_scanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fastlic {
namespace {

struct Read {
  bool ok;
  double value;
  friend bool operator==(const Read& a, const Read& b) {
    if (a.ok != b.ok) return false;
    if (!a.ok) return true;
    if (std::isnan(a.value) || std::isnan(b.value))
      return std::isnan(a.value) && std::isnan(b.value);
    return std::memcmp(&a.value, &b.value, sizeof(double)) == 0;  // -0.0 differs from 0.0
  }
};

// Successive reads of text with the C library's "%lf" or "%d", the way the values are consumed.
std::vector<Read> libraryReads(const std::string& text, bool asInt, int count) {
  std::vector<Read> reads;
  FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  for (int n = 0; n < count; ++n) {
    double d = 0.0;
    int i = 0;
    const int got = asInt ? std::fscanf(f, "%d", &i) : std::fscanf(f, "%lf", &d);
    reads.push_back({got == 1, asInt ? i : d});
  }
  std::fclose(f);
  return reads;
}

std::vector<Read> scannerReads(const std::string& text, bool asInt, int count) {
  std::istringstream in(text);
  NumberScanner scanner(in);
  std::vector<Read> reads;
  for (int n = 0; n < count; ++n) {
    double d = 0.0;
    int i = 0;
    const bool ok = asInt ? scanner.readInt(i) : scanner.readDouble(d);
    reads.push_back({ok, asInt ? i : d});
  }
  return reads;
}

// Each input is followed by further numbers, so a difference in how much of a bad token is
// consumed shows up in the reads after it.
const char* const kDoubleInputs[] = {
    "0.25 -1.5e-3 7",
    "+5 .5 5. 1.e5",
    "1e x 3",
    "1e+ 4",
    "1ex 5",
    "- 2 6",
    "-x 7",
    "0x1p3 0X1P-2 9",
    "0x 4",
    "0xg 4",
    "0x. 3",
    "0x1.8 0x1g 2",
    "inf -inf 1",
    "infinity 2",
    "INFINITY 3",
    "infin 4",
    "infinit 5",
    "infiX5 6",
    "inA5 7",
    "i5 8",
    "in 9",
    "nan NaN -nan 1",
    "nan(abc) 2",
    "nax5 3",
    "nanx 4",
    "1e400 -1e400 1",
    "1e-400 1e-310 2",
    "00012 3",
    "1,5 6",
    "e5 1",
    ". 2",
    ".e5 3",
    "1.5e-3junk 4",
    "12abc 5",
    "3 4\r\n5 6\r\n",
    "0x1p 7",
    "-0 8",
    "-.5 9",
    "4.9e-324 1",
    "1.7976931348623157e308 2",
    "0.1000000000000000055511151231257827 3",
    // Around the limits of exact one-operation conversion.
    "9007199254740992 9007199254740993 1",
    "1e22 1e23 -1e-22 1e-23 2",
    "4.35 0.1 0.3 3",
    "123456789012345678e-5 1234567890123456789 4",
    "2.2250738585072014e-308 5e-324 5",
    "0.000000000000000000000000123 6",
    "100000000000000000000000e-10 7",
};

TEST(NumberScannerTest, DoublesReadLikeTheCLibraryIncludingMalformedTokens) {
  for (const char* input : kDoubleInputs) {
    SCOPED_TRACE(input);
    EXPECT_EQ(scannerReads(input, false, 6), libraryReads(input, false, 6));
    // With plenty of text after each number the scanner takes its word-at-a-time path.
    std::string padded;
    for (const char c : std::string(input))
      padded += c == ' ' ? std::string(30, ' ') : std::string(1, c);
    padded += std::string(30, ' ') + "7.25";
    EXPECT_EQ(scannerReads(padded, false, 7), libraryReads(padded, false, 7));
  }
}

TEST(NumberScannerTest, PlainDecimalsOfEveryShapeReadExactly) {
  // Whole and fraction parts of 0 to 9 digits, signs, around the word-at-a-time limits.
  std::string text;
  std::vector<double> expected;
  std::mt19937 generator(11);
  for (int whole = 0; whole <= 9; ++whole) {
    for (int fraction = -1; fraction <= 9; ++fraction) {
      for (int sample = 0; sample < 5; ++sample) {
        std::string token = generator() % 2 ? "-" : "";
        for (int d = 0; d < whole; ++d) token += static_cast<char>('0' + generator() % 10);
        if (fraction >= 0) token += '.';
        for (int d = 0; d < fraction; ++d) token += static_cast<char>('0' + generator() % 10);
        if (whole == 0 && fraction <= 0) continue;  // not a number
        text += token + (sample % 2 ? "\n" : " ");
        expected.push_back(std::strtod(token.c_str(), nullptr));
      }
    }
  }
  std::istringstream in(text);
  NumberScanner scanner(in);
  for (std::size_t n = 0; n < expected.size(); ++n) {
    double d = 0.0;
    ASSERT_TRUE(scanner.readDouble(d)) << n;
    ASSERT_EQ(std::memcmp(&d, &expected[n], sizeof d), 0)
        << n << ": " << d << " vs " << expected[n];
  }
}

const char* const kIntInputs[] = {
    "12 -5 300",
    "+7 8",
    "12abc 5",
    "-x 3",
    "- 3 4",
    "1.5 2",
    "0x10 3",
    "007 8",
    "\t\n 9",
    "",
    "   ",
    "+ 1",
    "2147483647 -2147483648 1",
};

TEST(NumberScannerTest, IntegersReadLikeTheCLibraryIncludingMalformedTokens) {
  for (const char* input : kIntInputs) {
    SCOPED_TRACE(input);
    EXPECT_EQ(scannerReads(input, true, 5), libraryReads(input, true, 5));
  }
}

TEST(NumberScannerTest, IntegersBeyondTheIntRangeSaturate) {
  const std::vector<Read> reads =
      scannerReads("2147483648 -2147483649 99999999999999999999999", true, 3);
  EXPECT_EQ(reads[0].value, 2147483647);
  EXPECT_EQ(reads[1].value, -2147483648.0);
  EXPECT_EQ(reads[2].value, 2147483647);
}

TEST(NumberScannerTest, TokensAcrossChunkBoundariesAndLongTokensReadWhole) {
  std::mt19937 generator(7);
  std::uniform_real_distribution<double> values(-1e3, 1e3);
  std::string text;
  std::vector<double> expected;
  for (int n = 0; n < 40000; ++n) {
    char token[64];
    const double v = values(generator);
    std::snprintf(token, sizeof token, n % 3 == 0 ? "%.17g" : "%.6f", v);
    text += token;
    text += (n % 7 == 0) ? "\n" : " ";
    expected.push_back(std::strtod(token, nullptr));
  }
  // One token longer than the scanner's chunk.
  text += "0." + std::string(100000, '0') + "1 42";
  expected.push_back(0.0);
  expected.push_back(42.0);

  std::istringstream in(text);
  NumberScanner scanner(in);
  for (std::size_t n = 0; n < expected.size(); ++n) {
    double d = -1.0;
    ASSERT_TRUE(scanner.readDouble(d)) << "value " << n;
    ASSERT_EQ(d, expected[n]) << "value " << n;
  }
  double d = 0.0;
  EXPECT_FALSE(scanner.readDouble(d));
}

}  // namespace
}  // namespace fastlic
