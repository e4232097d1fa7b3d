#include "platform/settings/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <vector>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"
#include "support/wait_child_unix.h"
#include "support/qt_app_unix.h"

using platform::SettingsStore;

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

// What a kill during another save leaves beside the file: a lock nobody holds, empty, garbled or
// naming a dead process. It is taken over at once, not waited out.
TEST(SettingsStore, AStaleLockIsTakenOverAtOnce) {
  pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  WaitChild(dead);
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  for (const std::string& lock : {std::string(), std::string("\x01garbled\xff"),
                                 std::to_string(dead) + "\nZelmaro\n" + host + "\n"}) {
    TempDir dir;
    dir.Write("Quenlark.ini.lock", lock);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(SettingsStore(dir.path()).SaveSetting("Quenlark", "Zelmaro_Set", "Color", "3"));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5)) << "waited on a lock nobody holds";
    EXPECT_EQ(SettingsStore(dir.path()).GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "3");
    EXPECT_FALSE(std::filesystem::exists(dir.File("Quenlark.ini.lock")));
  }
}

// A live holder of the lock (another program saving) delays the write, never the caller.
TEST(SettingsStore, ALiveLockDelaysOnlyTheWorker) {
  testing_qt::EnsureQtApp();
  TempDir dir;
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const int fd = ::open(dir.File("Quenlark.ini.lock").c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(ready[1], "y", 1) != 1) ::_exit(1);
    char c;
    if (::read(release[0], &c, 1) != 1) ::_exit(1);
    ::unlink(dir.File("Quenlark.ini.lock").c_str());
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  SettingsStore store(dir.path());
  std::vector<platform::SaveOutcome> outcomes;
  store.SaveSettingLater("Quenlark", "Zelmaro_Set", "Color", "1", [&](const auto& o) { outcomes.push_back(o); });
  store.SaveSettingLater("Quenlark", "Zelmaro_Set", "Color", "5", [&](const auto& o) { outcomes.push_back(o); });
  ::usleep(100000);
  QCoreApplication::processEvents();
  EXPECT_TRUE(outcomes.empty());  // still waiting for the holder, on the worker
  ASSERT_EQ(::write(release[1], "y", 1), 1);
  WaitChild(holder);
  store.WaitForSaves();
  QCoreApplication::processEvents();
  // The first value may have been written already or replaced by the newer one, never after it.
  ASSERT_FALSE(outcomes.empty());
  EXPECT_TRUE(outcomes.back().ok) << outcomes.back().reason;
  EXPECT_EQ(store.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "5");
}

// Other programs' sections and keys survive byte for byte; a kill at any moment of a save leaves
// the old file or the new one, whole, and no pile of temporaries.
TEST(SettingsStore, SavesKeepOtherKeysAndAreWholeAfterAKillAtAnyMoment) {
  TempDir dir;
  std::string others = "[Other]\nkey=\"quoted, value\"\nPath=C:\\\\x\n\n";
  for (int i = 0; i < 20000; ++i) others += "k" + std::to_string(i) + "=" + std::string(100, 'v') + "\n";
  const std::string original = others + "\n[Zelmaro_Set]\nColor=0\n";
  dir.Write("Quenlark.ini", original);
  for (int round = 0; round < 20; ++round) {
    pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      SettingsStore store(dir.path());
      for (int n = 0;; ++n) store.SaveSetting("Quenlark", "Zelmaro_Set", "Color", std::to_string(n % 7));
    }
    ::usleep(1000 + round * 1500);
    ::kill(saver, SIGKILL);
    WaitChild(saver);
    const std::string text = ReadText(dir.File("Quenlark.ini"));
    ASSERT_EQ(text.size(), original.size()) << round;
    ASSERT_EQ(text.substr(0, others.size()), others) << round;
    const std::string color = SettingsStore(dir.path()).GetSetting("Quenlark", "Zelmaro_Set", "Color", "x");
    ASSERT_TRUE(color.size() == 1 && color[0] >= '0' && color[0] <= '6') << color;
  }
  EXPECT_TRUE(SettingsStore(dir.path()).SaveSetting("Quenlark", "Zelmaro_Set", "Color", "6"));
  std::size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1u);  // only Quenlark.ini: no lock, no temporaries left
}
