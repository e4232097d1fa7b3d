// Windows starts a user's programs at sign-in from the values of the user's Run key: each
// value's name is the entry's, its text the command line to run.
#include "platform/session/autostart.h"

#include <vector>

#include "platform/locale/utf16_win.h"
#include "platform/locale/system_error_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

AutostartFolder::AutostartFolder() : AutostartFolder(kRunKey) {}

AutostartFolder::AutostartFolder(std::string configDir) : dir_(std::move(configDir)) {}

std::string AutostartFolder::EntryPath(const std::string& fileName) const {
  return "HKEY_CURRENT_USER\\" + dir_ + "\\" + fileName;
}

std::string AutostartFolder::Write(const std::string& fileName, const std::string& contents) const {
  HKEY key = nullptr;
  LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(dir_).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) {
    const std::wstring text = Wide(contents);
    status = ::RegSetValueExW(key, Wide(fileName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }
  return status == ERROR_SUCCESS ? "" : EntryPath(fileName) + ": " + SystemErrorText(status);
}

std::string AutostartFolder::Remove(const std::string& fileName, bool& removed) const {
  removed = false;
  const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, Wide(dir_).c_str(), Wide(fileName).c_str());
  if (status == ERROR_SUCCESS) {
    removed = true;
    return "";
  }
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) return "";
  return EntryPath(fileName) + ": " + SystemErrorText(status);
}

// A Run value is a command line: the program's path, quoted for the spaces it may hold (a
// Windows path cannot hold a quote).
std::string AutostartEntryText(const AutostartProgram& program) { return "\"" + program.path + "\""; }

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
