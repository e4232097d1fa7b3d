// The system's interface for the files that speak Win32: <windows.h> (lean, without the min
// and max macros) and the shell's part of it, tamed so that our headers and this one can be
// included in any order. The system defines as macros some names our headers declare too
// (the raster layer's constants and colour functions, the message-box styles, the status of
// success, the notify-icon requests and mouse messages): each constant becomes a constant of
// the same name, type and value at global scope, and the colour macros go (nothing here uses
// the system's).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue

namespace windows_system_macros {
inline constexpr auto kBI_BITFIELDS = BI_BITFIELDS;
inline constexpr auto kBI_RGB = BI_RGB;
inline constexpr auto kBLACKONWHITE = BLACKONWHITE;
inline constexpr auto kCLR_INVALID = CLR_INVALID;
inline constexpr auto kCOLORONCOLOR = COLORONCOLOR;
inline constexpr auto kDIB_RGB_COLORS = DIB_RGB_COLORS;
inline constexpr auto kHALFTONE = HALFTONE;
inline constexpr auto kSRCAND = SRCAND;
inline constexpr auto kSRCCOPY = SRCCOPY;
inline constexpr auto kWHITEONBLACK = WHITEONBLACK;
inline constexpr auto kMB_ICONERROR = MB_ICONERROR;
inline constexpr auto kMB_ICONINFORMATION = MB_ICONINFORMATION;
inline constexpr auto kMB_ICONQUESTION = MB_ICONQUESTION;
inline constexpr auto kMB_ICONWARNING = MB_ICONWARNING;
inline constexpr auto kMB_OK = MB_OK;
inline constexpr auto kMB_SETFOREGROUND = MB_SETFOREGROUND;
inline constexpr auto kERROR_SUCCESS = ERROR_SUCCESS;
inline constexpr auto kWM_LBUTTONDBLCLK = WM_LBUTTONDBLCLK;
inline constexpr auto kWM_MOUSEMOVE = WM_MOUSEMOVE;
inline constexpr auto kWM_RBUTTONUP = WM_RBUTTONUP;
inline constexpr auto kNIF_ICON = NIF_ICON;
inline constexpr auto kNIF_MESSAGE = NIF_MESSAGE;
inline constexpr auto kNIF_TIP = NIF_TIP;
inline constexpr auto kNIM_ADD = NIM_ADD;
inline constexpr auto kNIM_DELETE = NIM_DELETE;
inline constexpr auto kNIM_MODIFY = NIM_MODIFY;
}  // namespace windows_system_macros

#undef BI_BITFIELDS
#undef BI_RGB
#undef BLACKONWHITE
#undef CLR_INVALID
#undef COLORONCOLOR
#undef DIB_RGB_COLORS
#undef HALFTONE
#undef SRCAND
#undef SRCCOPY
#undef WHITEONBLACK
#undef MB_ICONERROR
#undef MB_ICONINFORMATION
#undef MB_ICONQUESTION
#undef MB_ICONWARNING
#undef MB_OK
#undef MB_SETFOREGROUND
#undef ERROR_SUCCESS
#undef WM_LBUTTONDBLCLK
#undef WM_MOUSEMOVE
#undef WM_RBUTTONUP
#undef NIF_ICON
#undef NIF_MESSAGE
#undef NIF_TIP
#undef NIM_ADD
#undef NIM_DELETE
#undef NIM_MODIFY

inline constexpr auto BI_BITFIELDS = windows_system_macros::kBI_BITFIELDS;
inline constexpr auto BI_RGB = windows_system_macros::kBI_RGB;
inline constexpr auto BLACKONWHITE = windows_system_macros::kBLACKONWHITE;
inline constexpr auto CLR_INVALID = windows_system_macros::kCLR_INVALID;
inline constexpr auto COLORONCOLOR = windows_system_macros::kCOLORONCOLOR;
inline constexpr auto DIB_RGB_COLORS = windows_system_macros::kDIB_RGB_COLORS;
inline constexpr auto HALFTONE = windows_system_macros::kHALFTONE;
inline constexpr auto SRCAND = windows_system_macros::kSRCAND;
inline constexpr auto SRCCOPY = windows_system_macros::kSRCCOPY;
inline constexpr auto WHITEONBLACK = windows_system_macros::kWHITEONBLACK;
inline constexpr auto MB_ICONERROR = windows_system_macros::kMB_ICONERROR;
inline constexpr auto MB_ICONINFORMATION = windows_system_macros::kMB_ICONINFORMATION;
inline constexpr auto MB_ICONQUESTION = windows_system_macros::kMB_ICONQUESTION;
inline constexpr auto MB_ICONWARNING = windows_system_macros::kMB_ICONWARNING;
inline constexpr auto MB_OK = windows_system_macros::kMB_OK;
inline constexpr auto MB_SETFOREGROUND = windows_system_macros::kMB_SETFOREGROUND;
inline constexpr auto ERROR_SUCCESS = windows_system_macros::kERROR_SUCCESS;
inline constexpr auto WM_LBUTTONDBLCLK = windows_system_macros::kWM_LBUTTONDBLCLK;
inline constexpr auto WM_MOUSEMOVE = windows_system_macros::kWM_MOUSEMOVE;
inline constexpr auto WM_RBUTTONUP = windows_system_macros::kWM_RBUTTONUP;
inline constexpr auto NIF_ICON = windows_system_macros::kNIF_ICON;
inline constexpr auto NIF_MESSAGE = windows_system_macros::kNIF_MESSAGE;
inline constexpr auto NIF_TIP = windows_system_macros::kNIF_TIP;
inline constexpr auto NIM_ADD = windows_system_macros::kNIM_ADD;
inline constexpr auto NIM_DELETE = windows_system_macros::kNIM_DELETE;
inline constexpr auto NIM_MODIFY = windows_system_macros::kNIM_MODIFY;
