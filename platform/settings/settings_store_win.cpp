#include "platform/settings/settings_store.h"

#include <vector>

#include "platform/locale/utf16_win.h"
#include "platform/locale/system_error_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

namespace {

// Values longer than this are not ours to read (ours are a few characters), as on Linux.
constexpr DWORD kMaxValueBytes = 4096 * sizeof(wchar_t);

std::wstring SectionKey(const std::string& root, const std::string& app, const std::string& section) {
  return Wide(root + "\\" + app + "\\" + section);
}

}  // namespace

// Registry writes do not wait on anything: no worker is needed.
struct SettingsStore::Worker {};

SettingsStore::SettingsStore() : configDir_("Software") {}

SettingsStore::SettingsStore(std::string root) : configDir_(std::move(root)) {}

SettingsStore::SettingsStore(SettingsStore&& other) noexcept : configDir_(std::move(other.configDir_)) {}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::FilePath(const std::string& app) const {
  return "HKEY_CURRENT_USER\\" + configDir_ + "\\" + app;
}

std::string SettingsStore::GetSetting(const std::string& app, const std::string& section,
                                      const std::string& key, const std::string& defaultValue) const {
  const std::wstring subKey = SectionKey(configDir_, app, section);
  const std::wstring name = Wide(key);
  // Only a plain string value is a setting; another type, or one too long, reads as absent.
  std::vector<wchar_t> text(64);
  for (;;) {
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ,
                                          nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA && bytes <= kMaxValueBytes + sizeof(wchar_t)) {
      text.resize(bytes / sizeof(wchar_t) + 1);
      continue;
    }
    if (status != ERROR_SUCCESS || bytes > kMaxValueBytes + sizeof(wchar_t)) return defaultValue;
    // The size counts the terminator the call guarantees.
    std::size_t chars = bytes / sizeof(wchar_t);
    while (chars > 0 && text[chars - 1] == L'\0') --chars;
    return Utf8(std::wstring_view(text.data(), chars));
  }
}

SaveOutcome SettingsStore::Save(const std::string& app, const std::string& section, const std::string& key,
                                const std::string& value) {
  const std::string place = FilePath(app) + "\\" + section;
  // A registry string ends at its first zero: such a text cannot be kept whole.
  if (value.find('\0') != std::string::npos) return {false, place, "the value cannot be stored as text"};
  HKEY handle = nullptr;
  LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(configDir_, app, section).c_str(), 0,
                                     nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) {
    const std::wstring text = Wide(value);
    status = ::RegSetValueExW(handle, Wide(key).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
  }
  if (status != ERROR_SUCCESS) return {false, place, SystemErrorText(status)};
  return {true, place, {}};
}

void SettingsStore::SaveSettingLater(const std::string& app, const std::string& section, const std::string& key,
                                     const std::string& value, std::function<void(const SaveOutcome&)> done) {
  const SaveOutcome outcome = Save(app, section, key, value);
  if (done) done(outcome);
}

void SettingsStore::WaitForSaves() {}

}  // namespace platform
