#include "grid/number_scanner.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace fastlic {

namespace {

constexpr std::size_t kChunkSize = 1 << 14;
// Numbers shorter than this are parsed in place without first looking for their end.
constexpr std::size_t kLookahead = 128;

bool isSpace(char c) {
  return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// How many leading characters of [c, last) match word, ignoring case.
std::size_t matchWord(const char* c, const char* last, const char* word) {
  std::size_t n = 0;
  while (word[n] != '\0' && c + n < last && lower(c[n]) == word[n]) ++n;
  return n;
}

// The C reader takes the character that breaks a keyword along with the matched part.
ScannedDouble keywordMismatch(const char* first, const char* at, std::size_t matched,
                              const char* last) {
  const std::size_t taken = static_cast<std::size_t>(at - first) + matched;
  return {false, taken + (first + taken < last ? 1 : 0), 0.0};
}

// The powers of ten that are exact as doubles.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Forms that from_chars rejects or flags (out of range, "0x."), converted by the C library itself.
double convertWithLibrary(const char* first, const char* last) {
  const std::string text(first, last);
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace

ScannedDouble scanDouble(const char* first, const char* last) {
  const char* c = first;
  bool negative = false;
  if (c < last && (*c == '+' || *c == '-')) {
    negative = *c == '-';
    ++c;
  }
  if (c == last) return {false, static_cast<std::size_t>(c - first), 0.0};

  const char lead = lower(*c);
  if (lead == 'n') {
    const std::size_t n = matchWord(c, last, "nan");
    if (n < 3) return keywordMismatch(first, c, n, last);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {true, static_cast<std::size_t>(c - first) + 3, negative ? -nan : nan};
  }
  if (lead == 'i') {
    const std::size_t n = matchWord(c, last, "inf");
    if (n < 3) return keywordMismatch(first, c, n, last);
    const std::size_t tail = matchWord(c + 3, last, "inity");
    if (tail != 0 && tail < 5) return keywordMismatch(first, c, 3 + tail, last);
    const double inf = std::numeric_limits<double>::infinity();
    return {true, static_cast<std::size_t>(c - first) + 3 + tail, negative ? -inf : inf};
  }

  const char* mantissa = c;
  double value = 0.0;
  if (*c == '0' && c + 1 < last && lower(c[1]) == 'x') {
    const char* digits = c + 2;
    if (digits == last || !(isHexDigit(*digits) || *digits == '.')) {
      return {false, static_cast<std::size_t>(digits - first), 0.0};
    }
    c = digits;
    while (c < last && isHexDigit(*c)) ++c;
    if (c < last && *c == '.') {
      ++c;
      while (c < last && isHexDigit(*c)) ++c;
    }
    const char* valueEnd = c;
    if (c < last && lower(*c) == 'p') {
      ++c;
      if (c < last && (*c == '+' || *c == '-')) ++c;
      const char* exponentDigits = c;
      while (c < last && isDigit(*c)) ++c;
      if (c > exponentDigits) valueEnd = c;
    }
    const auto [ptr, ec] = std::from_chars(digits, valueEnd, value, std::chars_format::hex);
    if (ec != std::errc() || ptr != valueEnd) value = convertWithLibrary(mantissa, valueEnd);
    return {true, static_cast<std::size_t>(c - first), negative ? -value : value};
  }

  // Digits are gathered into an integer as they are checked: when it is exact as a double and
  // the power of ten is too (at most 1e22), one multiplication or division rounds it correctly,
  // which is the value strtod and from_chars give.
  constexpr std::uint64_t kGatherLimit = 100000000000000000;  // 1e17: one more digit still fits
  std::uint64_t digits = 0;
  int scale = 0;  // the power of ten the gathered digits are to be multiplied by
  bool inexact = false;
  const char* integerDigits = c;
  for (; c < last && isDigit(*c); ++c) {
    if (digits < kGatherLimit) {
      digits = digits * 10 + static_cast<unsigned>(*c - '0');
    } else {
      inexact = true;
    }
  }
  bool anyDigit = c > integerDigits;
  if (c < last && *c == '.') {
    const char* fractionDigits = ++c;
    for (; c < last && isDigit(*c); ++c) {
      if (digits < kGatherLimit) {
        digits = digits * 10 + static_cast<unsigned>(*c - '0');
        --scale;
      } else {
        inexact = true;
      }
    }
    anyDigit = anyDigit || c > fractionDigits;
  }
  if (!anyDigit) return {false, static_cast<std::size_t>(c - first), 0.0};
  const char* valueEnd = c;
  if (c < last && lower(*c) == 'e') {
    // A dangling exponent marker (and its sign) is taken but adds nothing to the value.
    ++c;
    bool negativeExponent = false;
    if (c < last && (*c == '+' || *c == '-')) negativeExponent = *c++ == '-';
    const char* exponentDigits = c;
    int exponent = 0;
    for (; c < last && isDigit(*c); ++c)
      if (exponent < 100000) exponent = exponent * 10 + (*c - '0');
    if (c > exponentDigits) {
      valueEnd = c;
      scale += negativeExponent ? -exponent : exponent;
    }
  }
  if (!inexact && digits <= (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    const double exact = static_cast<double>(digits);
    value = scale < 0 ? exact / kPowersOfTen[-scale] : exact * kPowersOfTen[scale];
  } else {
    const auto [ptr, ec] = std::from_chars(mantissa, valueEnd, value, std::chars_format::general);
    if (ec != std::errc() || ptr != valueEnd) value = convertWithLibrary(mantissa, valueEnd);
  }
  return {true, static_cast<std::size_t>(c - first), negative ? -value : value};
}

ScannedInt scanInt(const char* first, const char* last) {
  const char* c = first;
  bool negative = false;
  if (c < last && (*c == '+' || *c == '-')) {
    negative = *c == '-';
    ++c;
  }
  const char* digits = c;
  while (c < last && isDigit(*c)) ++c;
  if (c == digits) return {false, static_cast<std::size_t>(c - first), 0};

  unsigned long long magnitude = 0;
  const auto [ptr, ec] = std::from_chars(digits, c, magnitude);
  const bool huge = ec != std::errc() || ptr != c;
  constexpr long long kMax = std::numeric_limits<int>::max();
  constexpr long long kMin = std::numeric_limits<int>::min();
  long long value = 0;
  if (negative) {
    value = (huge || magnitude > static_cast<unsigned long long>(-kMin))
                ? kMin
                : -static_cast<long long>(magnitude);
  } else {
    value = (huge || magnitude > static_cast<unsigned long long>(kMax))
                ? kMax
                : static_cast<long long>(magnitude);
  }
  return {true, static_cast<std::size_t>(c - first), static_cast<int>(value)};
}

NumberScanner::NumberScanner(std::istream& in) : in_(in), buffer_(kChunkSize) {}

bool NumberScanner::fill() {
  if (exhausted_) return false;
  if (pos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (buffer_.size() - end_ < kChunkSize) buffer_.resize(end_ + kChunkSize);
  in_.read(buffer_.data() + end_, static_cast<std::streamsize>(kChunkSize));
  const auto got = static_cast<std::size_t>(in_.gcount());
  end_ += got;
  if (!in_) exhausted_ = true;
  return got > 0;
}

bool NumberScanner::nextToken(std::size_t& tokenEnd) {
  for (;;) {
    while (pos_ < end_ && isSpace(buffer_[pos_])) ++pos_;
    if (pos_ < end_) break;
    if (!fill()) return false;
  }
  std::size_t scanned = pos_;
  for (;;) {
    while (scanned < end_ && !isSpace(buffer_[scanned])) ++scanned;
    if (scanned < end_ || exhausted_) break;
    const std::size_t offset = scanned - pos_;
    if (!fill()) break;
    scanned = pos_ + offset;  // fill() moved the unread part to the front
  }
  tokenEnd = scanned;
  return true;
}

bool NumberScanner::nextValue() {
  for (;;) {
    while (pos_ < end_ && isSpace(buffer_[pos_])) ++pos_;
    if (pos_ < end_ && (end_ - pos_ >= kLookahead || exhausted_)) return true;
    if (!fill() && pos_ == end_) return false;
  }
}

template <typename Scan, typename Value>
bool NumberScanner::readToken(Scan scan, Value& value) {
  auto got = scan(buffer_.data() + pos_, buffer_.data() + end_);
  if (pos_ + got.consumed == end_ && !exhausted_) {
    // The number may go on past what has been read: read the whole token and look again.
    std::size_t tokenEnd = 0;
    nextToken(tokenEnd);
    got = scan(buffer_.data() + pos_, buffer_.data() + tokenEnd);
  }
  pos_ += got.consumed;
  if (got.ok) value = got.value;
  return got.ok;
}

bool NumberScanner::readDouble(double& value) {
  if (!nextValue()) return false;
  // Most numbers are plain decimals such as -0.123456 followed by white space: read those here in
  // one pass, exactly as scanDouble would, and leave everything else to it.
  const char* first = buffer_.data() + pos_;
  const char* last = buffer_.data() + end_;
  const char* c = first;
  const bool negative = *c == '-';
  c += negative ? 1 : 0;
  std::uint64_t digits = 0;
  const char* integerDigits = c;
  while (c < last && isDigit(*c)) digits = digits * 10 + static_cast<unsigned>(*c++ - '0');
  std::ptrdiff_t count = c - integerDigits;
  std::ptrdiff_t fraction = 0;
  if (c < last && *c == '.') {
    const char* fractionDigits = ++c;
    while (c < last && isDigit(*c)) digits = digits * 10 + static_cast<unsigned>(*c++ - '0');
    fraction = c - fractionDigits;
    count += fraction;
  }
  if (count > 0 && count <= 17 && fraction <= 22 && c < last && isSpace(*c) &&
      digits <= (std::uint64_t{1} << 53)) {
    const double exact = static_cast<double>(digits) / kPowersOfTen[fraction];
    value = negative ? -exact : exact;
    pos_ = static_cast<std::size_t>(c - buffer_.data());
    return true;
  }

  return readToken(scanDouble, value);
}

bool NumberScanner::readInt(int& value) {
  if (!nextValue()) return false;
  // The common case, up to nine digits followed by white space, read here.
  const char* first = buffer_.data() + pos_;
  const char* last = buffer_.data() + end_;
  const char* c = first;
  const bool negative = *c == '-';
  c += negative ? 1 : 0;
  int magnitude = 0;
  const char* digits = c;
  while (c < last && isDigit(*c) && c - digits < 9) magnitude = magnitude * 10 + (*c++ - '0');
  if (c > digits && c < last && isSpace(*c)) {
    value = negative ? -magnitude : magnitude;
    pos_ = static_cast<std::size_t>(c - buffer_.data());
    return true;
  }

  return readToken(scanInt, value);
}

}  // namespace fastlic
