// The raster layer's icons as system icons (CreateIconIndirect), for the shell's notification
// area and the window's own icon.
#pragma once

#include "platform/raster_graphics/gdi.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

// A system icon with the image's pixels: opaque where alpha is non-zero, transparent
// elsewhere. Null for an empty image or when the system refuses. The caller destroys it.
HICON SystemIconFromImage(const gdi::IconImage& image);
// The same for an icon of the raster layer; null for a handle that is no icon.
HICON SystemIcon(gdi::HICON icon);

}  // namespace platform
