// The Windows shell's side of the notify-icon record: the record in the system's own layout
// and the icon as a system icon. Include after our headers: the system's headers define some
// of the names ours declare as macros.
#pragma once

#include <cstdint>
#include <string>

#include "platform/raster_graphics/gdi.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

// The record the shell takes for our icon, in the system's layout for this build (its first
// version, as the program's 88-byte one): the given window and callback message, the
// program's id and flags, the icon, the tooltip cut to 63 bytes and ended with a zero.
::NOTIFYICONDATAA ShellRecord(HWND window, UINT callbackMessage, std::uint32_t id, std::uint32_t flags,
                              HICON icon, const std::string& tip);

// A system icon with the image's pixels: opaque where alpha is non-zero, transparent
// elsewhere. Null for an empty image or when the system refuses. The caller destroys it.
HICON SystemIconFromImage(const gdi::IconImage& image);

}  // namespace platform
