// The user's locale as the system's national-language settings give it.
#include "platform/locale/number_format.h"

#include "platform/runtime/windows_system_win.h"

namespace platform {

std::string DecimalSeparator() {
  wchar_t sep[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8) <= 0) return ".";
  char out[32] = {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, sep, -1, out, sizeof out, nullptr, nullptr);
  return n > 1 ? std::string(out) : ".";
}

}  // namespace platform
