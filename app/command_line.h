// The program's command line: its own options (--help, --version, --autostart on|off), the
// toolkit's options let through to the toolkit, anything else a usage error. None of the
// program's options needs a display.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  enum class Action { Run, Help, Version, AutostartOn, AutostartOff, UsageError };
  Action action = Action::Run;
  std::string error;         // UsageError: what was wrong, one line
  std::string platformName;  // the toolkit's -platform value, if given
  std::string displayName;   // the toolkit's -display value, if given
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string VersionText();

// Carries out the command line's option: the process's exit status when it is done, or nothing
// when the program is to start (with the toolkit's options still in argv).
std::optional<int> RunCommandLine(int argc, char** argv);
