// The notification-area record the program keeps for its one tray icon, and the reading of
// the callback value that the notification area reports back.
#pragma once

#include <cstdint>

#include "platform/raster_graphics/gdi.h"
#include "platform/notification_area/notify_icon.h"

namespace tray {

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr char kTrayTip[] = "Zelmaro by Quenlark";

// The record for add, modify and delete: size 88, the window's handle, identifier 1, all
// three flags, the mouse-move callback message, the given icon and the fixed tooltip
// (the text, one zero byte, then spaces to the end of the field).
platform::NOTIFYICONDATAA MakeNotifyData(std::uint32_t hWnd, gdi::HICON icon);

enum class TrayCallback { None, Open, Menu };

// What a callback's x coordinate asks for: 515 opens the window, 517 the popup menu, any
// other value nothing. The comparison is exact.
TrayCallback ClassifyTrayCallback(float x);

}  // namespace tray
