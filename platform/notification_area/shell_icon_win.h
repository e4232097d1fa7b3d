// The Windows shell's side of the notify-icon record: the record in the system's own layout
// (the icon becomes a system icon through system_icon_win.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/raster_graphics/gdi.h"
#include "platform/raster_graphics/system_icon_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

// The record the shell takes for our icon, in the system's layout for this build (its first
// version, as the program's 88-byte one): the given window and callback message, the
// program's id and flags, the icon, the tooltip cut to 63 bytes and ended with a zero.
::NOTIFYICONDATAA ShellRecord(HWND window, UINT callbackMessage, std::uint32_t id, std::uint32_t flags,
                              HICON icon, const std::string& tip);

}  // namespace platform
