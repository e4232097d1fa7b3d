// Per-user settings store: text values under application, section and key, kept in the INI file
// <config dir>/<application>.ini. The config dir defaults to $XDG_CONFIG_HOME (or ~/.config).
#pragma once

#include <string>

namespace platform {

class SettingsStore {
 public:
  SettingsStore();  // the user's config dir
  explicit SettingsStore(std::string configDir);
  // The stored text, or defaultValue when absent or unreadable.
  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Writes atomically; returns false (and the program goes on) if the file cannot be written.
  bool SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value);
  std::string FilePath(const std::string& app) const;

 private:
  std::string configDir_;
};

}  // namespace platform
