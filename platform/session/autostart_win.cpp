// Autostart entries are desktop entries that a Linux desktop session starts at login; Windows
// starts programs from the user's Startup folder or the registry instead, so none is made here
// and the user is told so.
#include "platform/session/autostart.h"

#include <windows.h>

#include <vector>

#include "platform/locale/utf16_win.h"

namespace platform {

namespace {

constexpr const char* kNotHere = "autostart entries are made for Linux desktop sessions only; on Windows, "
                                 "put a shortcut to the program in the Startup folder";

}  // namespace

AutostartFolder::AutostartFolder() = default;

AutostartFolder::AutostartFolder(std::string configDir) : dir_(std::move(configDir)) {}

std::string AutostartFolder::EntryPath(const std::string& fileName) const {
  return dir_.empty() ? fileName : dir_ + "\\" + fileName;
}

std::string AutostartFolder::Write(const std::string&, const std::string&) const { return kNotHere; }

std::string AutostartFolder::Remove(const std::string&, bool& removed) const {
  removed = false;
  return {};  // there is never one
}

std::string RunningProgramPath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) return Utf8(std::wstring_view(path.data(), n));
    path.resize(path.size() * 2);
  }
}

}  // namespace platform
