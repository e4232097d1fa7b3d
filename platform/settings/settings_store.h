// Per-user settings store: text values under application, section and key.
// Linux: kept in the INI file <config dir>/<application>.ini. The config dir defaults to
// $XDG_CONFIG_HOME (or ~/.config). Reads and writes stream the file a line at a time: memory
// stays small whatever its size, and the other sections of the file (other programs' keys) are
// kept byte for byte.
// Windows: kept in the registry, the string value <key> of the key
// HKEY_CURRENT_USER\<root>\<application>\<section>; the root defaults to "Software".
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// How a save went; on failure, what could not be written and why, in words for the user.
struct SaveOutcome {
  bool ok = true;
  std::string file;
  std::string reason;
};

class SettingsStore {
 public:
  SettingsStore();  // the user's config dir (Linux), HKEY_CURRENT_USER\Software (Windows)
  explicit SettingsStore(std::string configDir);  // the registry root key on Windows
  ~SettingsStore();  // waits for saves under way
  SettingsStore(SettingsStore&&) noexcept;
  SettingsStore& operator=(SettingsStore&&) = delete;

  // The stored text, or defaultValue when absent or unreadable.
  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Writes atomically (a new file renamed over the old one; a registry value) and returns how
  // it went.
  SaveOutcome Save(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value);
  bool SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) {
    return Save(app, section, key, value).ok;
  }
  // The same write on a worker thread, so the caller's thread never waits on the disk or on
  // another program's lock. A newer value for the same key replaces one not yet written; done
  // runs on the thread of the application's event loop with the outcome of the latest value.
  // (The registry takes a value at once: on Windows the value is written, and done run, before
  // the call returns.)
  void SaveSettingLater(const std::string& app, const std::string& section, const std::string& key,
                        const std::string& value, std::function<void(const SaveOutcome&)> done);
  void WaitForSaves();  // returns when no save is pending or under way
  std::string FilePath(const std::string& app) const;  // the file, or the registry key

 private:
  struct Worker;
  std::string configDir_;
  std::unique_ptr<Worker> worker_;
};

}  // namespace platform
