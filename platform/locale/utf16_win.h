// Text crosses our interfaces as UTF-8; the system's own calls take UTF-16.
#pragma once

#include <string>

namespace platform {

std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

}  // namespace platform
