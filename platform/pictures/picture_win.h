// Pictures as the system's icons, made once where a picture meets the shell or a window.
// Include after our other headers: the system's headers define some names as macros.
#pragma once

#include "platform/pictures/picture.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

// A system icon with the picture's pixels: opaque where alpha is non-zero, transparent
// elsewhere. Null for an empty picture or when the system refuses. The caller destroys it.
HICON SystemIcon(const Picture& picture);

}  // namespace platform
