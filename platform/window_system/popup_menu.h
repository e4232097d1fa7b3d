// Opening a window's popup menu at the pointer, the way each window system lets a program.
#pragma once

#include <QMenu>
#include <QWidget>

namespace platform {

// Brings owner to the foreground and runs menu as a popup at the pointer; returns when the
// menu closes. On Wayland a menu is a popup only when anchored to one of the program's windows
// that holds the focus, on a seat with input devices (the toolkit would otherwise map it as an
// ordinary top-level window); without such a window the menu is not opened and false is
// returned. Hosts that know the exported menu show that one themselves.
bool PopupMenu(QMenu& menu, QWidget& owner);

// True when the program talks to a Wayland compositor directly.
bool OnWayland();

}  // namespace platform
