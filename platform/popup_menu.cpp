#include "platform/popup_menu.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWindow>

namespace platform {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool PopupMenu(QMenu& menu, QWidget& owner) {
  if (!OnWayland()) {
    owner.activateWindow();
    menu.exec(QCursor::pos());
    return true;
  }
  QWindow* anchor = QGuiApplication::focusWindow();
  if (anchor == nullptr || !anchor->isVisible()) return false;
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
