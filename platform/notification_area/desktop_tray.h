// The desktop's notification area as the program meets it: the notify-icon requests, and
// whether a tray host shows the icon.
#pragma once

#include <memory>
#include <string>

#include "platform/notification_area/notify_icon.h"
#include "platform/notification_area/tray_host_presence.h"

namespace platform {

class PopupMenu;

struct DesktopTray {
  std::unique_ptr<NotificationArea> area;
  std::unique_ptr<TrayHostPresence> hosts;
};

// menu: the program's popup menu, for hosts that show an icon's menu themselves (the program
// still pops it up itself on 517), followed while it exists. description: what the icon shows,
// in words a screen reader can speak, for hosts that read one. Where the shell draws no menu
// and reads no description, both go unused.
DesktopTray OpenDesktopTray(PopupMenu* menu, const std::string& description);

}  // namespace platform
