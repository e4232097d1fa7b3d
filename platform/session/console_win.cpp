// The streams are written with the system's calls rather than the C library's: a
// window-system program's C streams are not connected when it starts, and cannot be connected
// afterwards on every C library.
#include "platform/session/console.h"

#include "platform/locale/utf16_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

namespace {

// A handle the parent gave for the stream: a file, a pipe or a console.
HANDLE Given(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || ::GetFileType(handle) == FILE_TYPE_UNKNOWN)
    return nullptr;
  return handle;
}

bool Write(DWORD which, const std::string& text) {
  const HANDLE handle = Given(which);
  if (handle == nullptr) return false;
  std::string lines;  // Windows text ends its lines with CR LF
  for (const char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode)) {
    // A console shows UTF-16 whatever its code page.
    const std::wstring wide = Wide(lines);
    DWORD done = 0;
    return ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr) &&
           done == wide.size();
  }
  std::size_t sent = 0;
  while (sent < lines.size()) {
    DWORD done = 0;
    if (!::WriteFile(handle, lines.data() + sent, static_cast<DWORD>(lines.size() - sent), &done, nullptr) || done == 0)
      return false;
    sent += done;
  }
  return true;
}

}  // namespace

void UseParentConsole() {
  const bool out = Given(STD_OUTPUT_HANDLE) != nullptr, err = Given(STD_ERROR_HANDLE) != nullptr;
  if (out && err) return;
  // Started from a console without redirection: the streams go nowhere until joined to it.
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return;
  if (!out) ::SetStdHandle(STD_OUTPUT_HANDLE, console);
  if (!err) ::SetStdHandle(STD_ERROR_HANDLE, console);
}

bool WriteStandardOutput(const std::string& text) { return Write(STD_OUTPUT_HANDLE, text); }
bool WriteStandardError(const std::string& text) { return Write(STD_ERROR_HANDLE, text); }

}  // namespace platform
