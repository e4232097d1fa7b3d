#include "platform/session/autostart.h"
#include "platform/settings/config_dir_unix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "support/temp_dir.h"

using platform::AutostartFolder;

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(Autostart, EntryIsWrittenWholeReplacedAndRemoved) {
  TempDir dir;
  const AutostartFolder folder(dir.File("config"));  // neither config nor autostart exists yet
  const std::string path = folder.EntryPath("x.desktop");
  EXPECT_EQ(path, dir.File("config/autostart/x.desktop"));

  ASSERT_EQ(folder.Write("x.desktop", "[Desktop Entry]\nName=One\n"), "");
  EXPECT_EQ(ReadText(path), "[Desktop Entry]\nName=One\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ASSERT_EQ(folder.Write("x.desktop", "[Desktop Entry]\nName=Two\n"), "");
  EXPECT_EQ(ReadText(path), "[Desktop Entry]\nName=Two\n");
  // Nothing else is left in the folder (no temporary files).
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("config/autostart")), {}), 1);

  bool removed = false;
  EXPECT_EQ(folder.Remove("x.desktop", removed), "");
  EXPECT_TRUE(removed);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(folder.Remove("x.desktop", removed), "");  // already gone: done, nothing removed
  EXPECT_FALSE(removed);
  EXPECT_EQ(AutostartFolder(dir.File("none")).Remove("x.desktop", removed), "");
  EXPECT_FALSE(removed);
}

TEST(Autostart, FailuresSayWhyAndLeaveNothingBehind) {
  TempDir dir;
  // A folder where the entry should be: neither written over nor removed, even by root.
  std::filesystem::create_directories(dir.File("config/autostart/x.desktop/inside"));
  const AutostartFolder folder(dir.File("config"));
  const std::string error = folder.Write("x.desktop", "new");
  EXPECT_NE(error.find("x.desktop"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("config/autostart/x.desktop/inside")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("config/autostart")), {}), 1);
  bool removed = true;
  EXPECT_NE(folder.Remove("x.desktop", removed), "");
  EXPECT_FALSE(removed);
  // The config dir is a file.
  dir.Write("file", "");
  EXPECT_NE(AutostartFolder(dir.File("file")).Write("x.desktop", "new"), "");
}

TEST(Autostart, ConfigDirFollowsXdgThenHome) {
  const ScopedEnv home("HOME", "/home/someone");
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", "/elsewhere/cfg");
    EXPECT_EQ(platform::UserConfigDir(), "/elsewhere/cfg");
    EXPECT_EQ(AutostartFolder().EntryPath("a.desktop"), "/elsewhere/cfg/autostart/a.desktop");
  }
  for (const char* ignored : {"relative/cfg", "", static_cast<const char*>(nullptr)}) {
    const ScopedEnv xdg("XDG_CONFIG_HOME", ignored);
    EXPECT_EQ(platform::UserConfigDir(), "/home/someone/.config") << (ignored ? ignored : "(unset)");
  }
}

TEST(Autostart, EntryStartsTheProgramFile) {
  const std::string entry =
      platform::AutostartEntryText({"Meter", "Shows a meter", "meter", "/opt/my apps/meter"});
  EXPECT_EQ(entry, "[Desktop Entry]\nType=Application\nName=Meter\nComment=Shows a meter\n"
                   "Exec=\"/opt/my apps/meter\"\nTryExec=/opt/my apps/meter\nIcon=meter\n"
                   "Terminal=false\nStartupNotify=false\n");
}

TEST(Autostart, ExecArgumentsAreQuotedAndEscaped) {
  struct Case {
    const char* path;
    const char* exec;
  };
  // Exec quoting first (", `, $ and \ escaped inside quotes, % doubled), then the entry
  // file's string escapes (each \ doubled).
  const Case cases[] = {
      {"/usr/bin/zelmaro", "/usr/bin/zelmaro"},
      {"/opt/my apps/zelmaro", "\"/opt/my apps/zelmaro\""},
      {"/opt/100%/zelmaro", "/opt/100%%/zelmaro"},
      {"/opt/a\"b/z", "\"/opt/a\\\\\"b/z\""},
      {"/opt/$HOME/z", "\"/opt/\\\\$HOME/z\""},
      {"/opt/a\\b/z", "\"/opt/a\\\\\\\\b/z\""},
      {"/opt/it's/z", "\"/opt/it's/z\""},
      {"/opt/tab\there", "\"/opt/tab\\there\""},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::DesktopExecArgument(c.path), c.exec) << c.path;
  EXPECT_EQ(platform::DesktopStringValue("/opt/a\\b/z"), "/opt/a\\\\b/z");
  EXPECT_EQ(platform::DesktopStringValue(" lead"), "\\slead");
}

TEST(Autostart, RunningProgramPathIsThisTest) {
  const std::string path = platform::RunningProgramPath();
  EXPECT_EQ(path.front(), '/');
  EXPECT_EQ(std::filesystem::path(path).filename(), "test_platform");
}
