#include "app/command_line.h"

#include "app/command_line_system.h"
#include "platform/session/autostart.h"
#include "platform/session/console.h"
#include "platform/session/toolkit_options.h"

#ifndef ZELMARO_VERSION
#define ZELMARO_VERSION "unknown"
#endif

namespace {

void Fail(CommandLine& line, const std::string& why) {
  if (line.action == CommandLine::Action::UsageError) return;  // the first fault is reported
  line.action = CommandLine::Action::UsageError;
  line.error = why;
}

// Prints to standard output; a failed write (a full disk, a closed pipe) is an error too.
int Print(const std::string& text) {
  if (platform::WriteStandardOutput(text)) return 0;
  platform::WriteStandardError("zelmaro: cannot write to standard output\n");
  return 1;
}

// Says on standard error why the option failed; the status of that failure.
int Complain(const std::string& why) {
  platform::WriteStandardError("zelmaro: " + why + "\n");
  return 1;
}

// The program as its autostart entry shows it.
platform::AutostartProgram ThisProgram(const std::string& path) {
  return {"Zelmaro", "Show how busy the processors are, in the notification area", "zelmaro", path};
}

int Autostart(bool on) {
  const platform::AutostartFolder folder;
  const std::string path = folder.EntryPath(kAutostartEntryName);
  const std::string when = kAutostartWhen;
  if (on) {
    const std::string program = platform::RunningProgramPath();
    if (program.empty()) return Complain("cannot tell where the program file is, so no autostart entry was made");
    const std::string error = folder.Write(kAutostartEntryName, platform::AutostartEntryText(ThisProgram(program)));
    if (!error.empty()) return Complain("cannot write the autostart entry: " + error);
    return Print("Autostart on: Zelmaro will start " + when + " (" + path + ").\n");
  }
  bool removed = false;
  const std::string error = folder.Remove(kAutostartEntryName, removed);
  if (!error.empty()) return Complain("cannot remove the autostart entry: " + error);
  if (removed) return Print("Autostart off: removed " + path + "; Zelmaro no longer starts " + when + ".\n");
  return Print("Autostart off: there was no autostart entry (" + path + "); nothing to do.\n");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  using Action = CommandLine::Action;
  CommandLine line;
  bool help = false, version = false;
  std::optional<bool> autostart;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "-h" || arg == "--help" || IsSystemHelpSwitch(arg)) {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else if (arg == "--autostart" || arg.starts_with("--autostart=")) {
      std::optional<std::string> value;
      if (arg != "--autostart") value = arg.substr(arg.find('=') + 1);
      else if (i + 1 < arguments.size()) value = arguments[++i];
      if (value == "on" || value == "off") autostart = *value == "on";
      else Fail(line, value ? "--autostart takes on or off, not '" + *value + "'" : "--autostart needs on or off");
    } else if (const auto kind = platform::ClassifyToolkitOption(arg); kind == platform::ToolkitOption::Flag) {
      continue;
    } else if (kind == platform::ToolkitOption::WithValue) {
      if (i + 1 >= arguments.size()) {
        Fail(line, arg + " needs a value");
        continue;
      }
      const std::string name = platform::ToolkitOptionName(arg);
      if (name == "platform") line.platformName = arguments[i + 1];
      if (name == "display") line.displayName = arguments[i + 1];
      ++i;
    } else {
      Fail(line, arg.starts_with("-") ? "unknown option '" + arg + "'" : "unexpected argument '" + arg + "'");
    }
  }
  if (line.action == Action::UsageError) return line;
  if (help) line.action = Action::Help;
  else if (version) line.action = Action::Version;
  else if (autostart) line.action = *autostart ? Action::AutostartOn : Action::AutostartOff;
  return line;
}

std::string VersionText() { return std::string("zelmaro ") + ZELMARO_VERSION + "\n"; }

std::optional<int> RunCommandLine(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  // What an option prints goes to the console the program was started from.
  if (line.action != CommandLine::Action::Run) platform::UseParentConsole();
  switch (line.action) {
    case CommandLine::Action::Run:
      platform::UseDisplayOptions(line.platformName, line.displayName);
      return std::nullopt;
    case CommandLine::Action::Help:
      return Print(UsageText());
    case CommandLine::Action::Version:
      return Print(VersionText());
    case CommandLine::Action::AutostartOn:
      return Autostart(true);
    case CommandLine::Action::AutostartOff:
      return Autostart(false);
    case CommandLine::Action::UsageError:
      platform::WriteStandardError("zelmaro: " + line.error + "\n" + UsageText());
      return 2;
  }
  return 2;
}
