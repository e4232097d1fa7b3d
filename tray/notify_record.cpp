#include "tray/notify_record.h"

#include <cstring>

namespace tray {

platform::NOTIFYICONDATAA MakeNotifyData(std::uint32_t hWnd, gdi::HICON icon) {
  platform::NOTIFYICONDATAA data{};
  data.cbSize = sizeof(platform::NOTIFYICONDATAA);
  data.hWnd = hWnd;
  data.uID = kTrayIconId;
  data.uFlags = platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP;
  data.uCallbackMessage = platform::WM_MOUSEMOVE;
  data.hIcon = icon;
  std::memset(data.szTip, ' ', sizeof data.szTip);
  std::memcpy(data.szTip, kTrayTip, sizeof kTrayTip);  // includes the terminating zero
  return data;
}

TrayCallback ClassifyTrayCallback(float x) {
  if (x == static_cast<float>(platform::WM_LBUTTONDBLCLK)) return TrayCallback::Open;
  if (x == static_cast<float>(platform::WM_RBUTTONUP)) return TrayCallback::Menu;
  return TrayCallback::None;
}

}  // namespace tray
