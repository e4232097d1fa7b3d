#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/temp_dir.h"

using platform::SettingsStore;

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(SettingsStore, ValueWrittenIsReadBackByANewStore) {
  TempDir dir;
  const std::string config = dir.File("nested/config");  // created on first write
  EXPECT_EQ(SettingsStore(config).GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "2");
  ASSERT_TRUE(SettingsStore(config).SaveSetting("Quenlark", "Zelmaro_Set", "Color", "6"));
  EXPECT_EQ(SettingsStore(config).GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "6");
  EXPECT_EQ(SettingsStore(config).GetSetting("Quenlark", "Other", "Color", "x"), "x");
  EXPECT_EQ(SettingsStore(config).GetSetting("Quenlark", "Zelmaro_Set", "Size", "x"), "x");

  const std::string file = SettingsStore(config).FilePath("Quenlark");
  EXPECT_EQ(file, config + "/Quenlark.ini");
  const std::string text = ReadText(file);
  EXPECT_NE(text.find("[Zelmaro_Set]"), std::string::npos) << text;
  EXPECT_NE(text.find("Color=6"), std::string::npos) << text;

  // The file is replaced whole (new file renamed over the old), never rewritten in place.
  struct stat before {}, after {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  ASSERT_TRUE(SettingsStore(config).SaveSetting("Quenlark", "Zelmaro_Set", "Color", "5"));
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_FALSE(std::filesystem::exists(file + ".lock"));

  // Other values in the file survive a write; odd texts round-trip.
  ASSERT_TRUE(SettingsStore(config).SaveSetting("Quenlark", "Zelmaro_Set", "Note", "a, b; =c"));
  EXPECT_EQ(SettingsStore(config).GetSetting("Quenlark", "Zelmaro_Set", "Note", ""), "a, b; =c");
  EXPECT_EQ(SettingsStore(config).GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "5");
}

TEST(SettingsStore, UnwritablePlacesReturnFalse) {
  TempDir dir;
  // The config "directory" is a file: it can be neither created nor written into.
  const std::string blocker = dir.Write("blocker", "x");
  SettingsStore onFile(blocker);
  EXPECT_FALSE(onFile.SaveSetting("Quenlark", "Zelmaro_Set", "Color", "3"));
  EXPECT_EQ(onFile.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "2");

  // The file's name is taken by a directory: the new file cannot be renamed into place.
  std::filesystem::create_directories(dir.File("taken/Quenlark.ini"));
  EXPECT_FALSE(SettingsStore(dir.File("taken")).SaveSetting("Quenlark", "Zelmaro_Set", "Color", "3"));
  EXPECT_EQ(SettingsStore(dir.File("taken")).GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "2");

}

TEST(SettingsStore, ReadOnlyDirectoryReturnsFalse) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  TempDir dir;
  const std::string locked = dir.File("locked");
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_exec);
  EXPECT_FALSE(SettingsStore(locked).SaveSetting("Quenlark", "Zelmaro_Set", "Color", "3"));
  EXPECT_FALSE(std::filesystem::exists(locked + "/Quenlark.ini"));
}

TEST(SettingsStore, GarbageFileReadsAsDefaults) {
  TempDir dir;
  dir.Write("Quenlark.ini", std::string("\x01\x02[[[Zelmaro_Set\n\xff\xfe=\n\0\0Color", 28));
  SettingsStore store(dir.path());
  EXPECT_EQ(store.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "2");
  // Saving replaces the garbage with a readable file.
  EXPECT_TRUE(store.SaveSetting("Quenlark", "Zelmaro_Set", "Color", "4"));
  EXPECT_EQ(store.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "4");
  // A value that the file holds as a list is not a usable text either.
  dir.Write("Quenlark.ini", "[Zelmaro_Set]\nColor=1, 2\n");
  EXPECT_EQ(store.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "2");
}

TEST(SettingsStore, DefaultDirectoryFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", "/some/where", 1);
  EXPECT_EQ(SettingsStore().FilePath("Quenlark"), "/some/where/Quenlark.ini");
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored
  EXPECT_NE(SettingsStore().FilePath("Quenlark").find("/.config/Quenlark.ini"), std::string::npos);
  if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else ::unsetenv("XDG_CONFIG_HOME");
}
