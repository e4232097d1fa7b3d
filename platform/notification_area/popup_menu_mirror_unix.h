// The program's popup menu as the tray icon's menu, for hosts that show an icon's menu
// themselves: its items copied as tray menu entries, again whenever one is added, removed or
// changed (caption, enabled state, check mark). Choosing an entry in the host chooses the
// item, as a click on it in the popup does.
#pragma once

namespace platform {

class PopupMenu;
class TrayMenu;

// The tray menu that follows menu, gone with the menu's toolkit side; null without one.
TrayMenu* MirrorPopupMenu(PopupMenu& menu);

}  // namespace platform
