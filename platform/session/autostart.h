// The place the system starts the user's programs from at sign-in, holding named entries: on
// Linux the autostart folder, desktop entries in $XDG_CONFIG_HOME/autostart (default
// ~/.config/autostart) that the desktop session starts; on Windows the values of the user's Run
// key (HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run), each a command line.
// Also the entry's text for a program, and what it is made of: where the running program is,
// and how to quote it on a desktop entry's Exec line.
#pragma once

#include <string>

namespace platform {

class AutostartFolder {
 public:
  AutostartFolder();  // in the user's config dir; on Windows the user's Run key
  // Linux: the autostart folder under configDir. Windows: configDir names a key under
  // HKEY_CURRENT_USER to use in place of the Run key.
  explicit AutostartFolder(std::string configDir);

  // Where the entry named fileName ("name.desktop"; a value's name on Windows) is or would be.
  std::string EntryPath(const std::string& fileName) const;
  // Writes the entry whole or not at all (temp file, then rename), making the folder when
  // missing. Empty on success, otherwise why it failed.
  std::string Write(const std::string& fileName, const std::string& contents) const;
  // Removes the entry; removed tells whether there was one. Empty on success (also when there
  // was none), otherwise why it failed.
  std::string Remove(const std::string& fileName, bool& removed) const;

 private:
  std::string dir_;
};

// The program an entry starts, as the session's lists show it.
struct AutostartProgram {
  std::string name;
  std::string comment;  // one line on what it does
  std::string icon;     // the name of its icon in the icon theme
  std::string path;     // its file
};

// The entry's text: on Linux a desktop entry that runs the program without arguments; on
// Windows a Run value's command line (the path, quoted), which has no place for the rest.
std::string AutostartEntryText(const AutostartProgram& program);

// The absolute path of the running program's file.
std::string RunningProgramPath();

// One argument of a desktop entry's Exec line, quoted when it needs it and escaped as an Exec
// value (with the string escapes of the entry file on top).
std::string DesktopExecArgument(const std::string& argument);
// A path as a desktop entry string value, as TryExec= takes it.
std::string DesktopStringValue(const std::string& text);

}  // namespace platform
