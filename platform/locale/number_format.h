// How the user's locale writes numbers.
#pragma once

#include <string>

namespace platform {

// The decimal separator of the user's locale, as UTF-8 text ("." or "," for most).
std::string DecimalSeparator();

}  // namespace platform
