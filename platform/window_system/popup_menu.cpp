#include "platform/window_system/popup_menu.h"

#include <QCursor>
#include <QGuiApplication>
#include <QInputDevice>
#include <QWindow>

#include "platform/window_system/shown_windows.h"

namespace platform {

namespace {

// Whether the compositor has reported an input device of the program's seat. The toolkit
// anchors a popup to a window only after input from one (a focused window alone is not
// enough: compositors also activate windows on a seat without devices); the stand-in
// devices the toolkit makes up for itself ("core pointer", "core keyboard") do not count.
bool SeatHasInput() {
  for (const QInputDevice* device : QInputDevice::devices())
    if (!device->name().startsWith(QLatin1String("core "))) return true;
  return false;
}

}  // namespace

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool PopupMenu(QMenu& menu, QWidget& owner) {
  NoteWindowShown();
  if (!OnWayland()) {
    owner.activateWindow();
    menu.exec(QCursor::pos());
    return true;
  }
  QWindow* anchor = QGuiApplication::focusWindow();
  if (anchor == nullptr || !anchor->isVisible() || !SeatHasInput()) return false;
  menu.winId();  // the native window exists before its parent is named
  menu.windowHandle()->setTransientParent(anchor);
  // The pointer's last place over one of the program's windows; over none of them (the
  // request came from a panel), the middle of the focused window.
  const QRect area = anchor->geometry();
  const QPoint pointer = QCursor::pos();
  menu.exec(area.contains(pointer) ? pointer : area.center());
  return true;
}

}  // namespace platform
