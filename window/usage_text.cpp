#include "window/usage_text.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/locale/number_format.h"

namespace window {
namespace {

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |v| in hundredths, rounded half away from zero, as decimal digits (at least "0").
std::string Hundredths(double magnitude) {
  // d.dddddddddddddde±x: 15 digits, written the same whatever the C library's locale.
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::scientific, 14).ptr;
  *end = '\0';
  std::string mantissa;
  for (const char* p = buf; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') mantissa += *p;
  }
  const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  // Digits that lie at or above the hundredths place.
  const long keep = static_cast<long>(exponent) + 3;
  if (keep < 0) return "0";
  std::string digits = mantissa.substr(0, static_cast<std::size_t>(std::min<long>(keep, 15)));
  while (static_cast<long>(digits.size()) < keep) digits += '0';
  if (keep < 15 && mantissa[static_cast<std::size_t>(keep)] >= '5') Increment(digits);
  return digits.empty() ? "0" : digits;
}

}  // namespace

std::string UsageText(double v) {
  if (std::isnan(v)) return "nan %";
  if (std::isinf(v)) return v < 0 ? "-inf %" : "inf %";
  std::string digits = Hundredths(std::fabs(v));
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  std::string whole = digits.substr(0, digits.size() - 2);
  const std::string fraction = digits.substr(digits.size() - 2);
  whole.erase(0, whole.find_first_not_of('0'));  // "###": no leading zeros, none for 0
  const bool negative = v < 0 && (whole.size() > 0 || fraction != "00");
  return (negative ? "-" : "") + whole + platform::DecimalSeparator() + fraction + " %";
}

}  // namespace window
