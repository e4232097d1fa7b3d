// The text of a usage percentage: whole part without leading zeros (none at all for 0), the
// locale's decimal separator, exactly two decimals, then " %". 0 -> ".00 %", 7 -> "7.00 %".
#pragma once

#include <string>

namespace window {

// Rounds half away from zero on the value's 15-significant-digit decimal form, so a value
// written as 0.005 or 99.995 rounds up as its decimal text does, whatever the nearest binary
// double lies just below or above it.
std::string UsageText(double v);

}  // namespace window
