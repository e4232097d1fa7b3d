#include "platform/notification_area/shell_icon_win.h"

#include <algorithm>
#include <cstring>

namespace platform {

::NOTIFYICONDATAA ShellRecord(HWND window, UINT callbackMessage, std::uint32_t id, std::uint32_t flags,
                              HICON icon, const std::string& tip) {
  ::NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uID = id;
  record.uFlags = flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
  record.uCallbackMessage = callbackMessage;
  record.hIcon = icon;
  // The first version's tooltip holds 64 bytes, the last of them the zero.
  const std::size_t n = std::min(tip.size(), std::size_t{63});
  std::memcpy(record.szTip, tip.data(), n);
  record.szTip[n] = '\0';
  return record;
}

}  // namespace platform
