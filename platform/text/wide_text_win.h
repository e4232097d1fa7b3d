// Text across the system's interfaces, which take UTF-16, from and to the UTF-8 of our own.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Bytes that are not UTF-8 become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform
