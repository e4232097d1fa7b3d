// Text crosses our interfaces as UTF-8; the system's own calls take UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Bytes that are not UTF-8 become U+FFFD.
std::wstring Wide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf8(std::wstring_view text);

}  // namespace platform
