// The system's interface for the files that speak Win32: <windows.h> (lean, without the min
// and max macros) and the shell's part of it, tamed so that our headers and this one can be
// included in any order. The system defines the message-box styles as macros, names our
// message-box interface declares too: each becomes a constant of the same name, type and
// value at global scope.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace windows_system_macros {
inline constexpr auto kMB_ICONERROR = MB_ICONERROR;
inline constexpr auto kMB_ICONINFORMATION = MB_ICONINFORMATION;
inline constexpr auto kMB_ICONQUESTION = MB_ICONQUESTION;
inline constexpr auto kMB_ICONWARNING = MB_ICONWARNING;
inline constexpr auto kMB_OK = MB_OK;
inline constexpr auto kMB_SETFOREGROUND = MB_SETFOREGROUND;
}  // namespace windows_system_macros

#undef MB_ICONERROR
#undef MB_ICONINFORMATION
#undef MB_ICONQUESTION
#undef MB_ICONWARNING
#undef MB_OK
#undef MB_SETFOREGROUND

inline constexpr auto MB_ICONERROR = windows_system_macros::kMB_ICONERROR;
inline constexpr auto MB_ICONINFORMATION = windows_system_macros::kMB_ICONINFORMATION;
inline constexpr auto MB_ICONQUESTION = windows_system_macros::kMB_ICONQUESTION;
inline constexpr auto MB_ICONWARNING = windows_system_macros::kMB_ICONWARNING;
inline constexpr auto MB_OK = windows_system_macros::kMB_OK;
inline constexpr auto MB_SETFOREGROUND = windows_system_macros::kMB_SETFOREGROUND;
