#include "platform/settings_store.h"

#include <QDir>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <optional>

namespace platform {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string DefaultConfigDir() {
  const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg.toStdString();
  return (QDir::homePath() + QStringLiteral("/.config")).toStdString();
}

// The stored text, or nothing when absent, unreadable or not a plain text.
std::optional<std::string> ReadValue(const std::string& file, const std::string& section,
                                     const std::string& key) {
  QSettings settings(Q(file), QSettings::IniFormat);
  settings.beginGroup(Q(section));
  const QVariant value = settings.value(Q(key));
  if (settings.status() != QSettings::NoError || !value.isValid() ||
      value.typeId() != QMetaType::QString)
    return std::nullopt;
  return value.toString().toStdString();
}

}  // namespace

SettingsStore::SettingsStore() : configDir_(DefaultConfigDir()) {}

SettingsStore::SettingsStore(std::string configDir) : configDir_(std::move(configDir)) {}

std::string SettingsStore::FilePath(const std::string& app) const {
  return configDir_ + "/" + app + ".ini";
}

std::string SettingsStore::GetSetting(const std::string& app, const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) const {
  return ReadValue(FilePath(app), section, key).value_or(defaultValue);
}

bool SettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& value) {
  if (!QDir().mkpath(Q(configDir_))) return false;
  // QSettings writes the whole file to a temporary and renames it over the old one, so a
  // crash or a full disk never leaves a half-written file; without a writable directory it
  // refuses rather than writing in place.
  QSettings settings(Q(FilePath(app)), QSettings::IniFormat);
  settings.setAtomicSyncRequired(true);
  settings.beginGroup(Q(section));
  settings.setValue(Q(key), Q(value));
  settings.endGroup();
  settings.sync();
  if (settings.status() == QSettings::NoError) return true;
  // A file that could not be parsed is still replaced by a clean one, but the status keeps
  // reporting the parse error: judge by what a fresh read finds.
  return settings.status() == QSettings::FormatError &&
         ReadValue(FilePath(app), section, key) == value;
}

}  // namespace platform
