// Pictures as the system's icons, made once where a picture meets the shell or a window.
#pragma once

#include "platform/pictures/picture.h"

#include "platform/runtime/windows_system_win.h"

namespace platform {

// A system icon with the picture's pixels: opaque where alpha is non-zero, transparent
// elsewhere. Null for an empty picture or when the system refuses. The caller destroys it.
HICON SystemIcon(const Picture& picture);

}  // namespace platform
