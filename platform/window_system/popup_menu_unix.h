// The popup menu on the toolkit: a QMenu, a child of the owner form's widget. Platform code
// that shows the same menu elsewhere (the tray host's exported menu) reaches it here.
#pragma once

#include <QMenu>
#include <QPointer>

#include "platform/window_system/popup_menu.h"

namespace platform {

struct PopupMenu::Native {
  Native(FormWindow& o, QMenu* m) : owner(o), menu(m) {}
  ~Native() { delete menu.data(); }
  FormWindow& owner;
  QPointer<QMenu> menu;
};

// The toolkit's menu behind a popup menu (null once the toolkit has deleted it).
inline QMenu* ToolkitMenu(const PopupMenu& menu) { return menu.System().menu.data(); }

}  // namespace platform
