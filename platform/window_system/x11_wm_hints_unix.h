// The initial-state hint an X11 window manager reads when it maps a top-level window.
#pragma once

#include <QWidget>

namespace platform {

// Sets the window's WM_HINTS initial state to Normal, so that its next map by the window
// manager is a normal one. Requests on the toolkit's own connection reach the server in order,
// so a map the toolkit sends afterwards sees the new hint. Does nothing off X11.
void SetNormalInitialState(WId window);

}  // namespace platform
