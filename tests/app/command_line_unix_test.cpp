#include "app/command_line.h"

#include <gtest/gtest.h>

using Action = CommandLine::Action;

namespace {

CommandLine Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments); }

}  // namespace

TEST(CommandLine, OwnOptionsChooseWhatHappens) {
  struct Case {
    std::vector<std::string> args;
    Action action;
  };
  const Case cases[] = {
      {{}, Action::Run},
      {{"--help"}, Action::Help},
      {{"-h"}, Action::Help},
      {{"--version"}, Action::Version},
      {{"--version", "--help"}, Action::Help},
      {{"--autostart", "on"}, Action::AutostartOn},
      {{"--autostart=off"}, Action::AutostartOff},
      {{"--autostart", "on", "--autostart", "off"}, Action::AutostartOff},
      // The toolkit's options pass, with their values.
      {{"-platform", "offscreen", "-reverse", "--style", "fusion", "-style=fusion"}, Action::Run},
      {{"-display", ":3", "-session", "abc", "-name", "--help"}, Action::Run},  // values, not options
      {{"-platform", "xcb", "--version"}, Action::Version},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.args) << ": " << line.error;
  }
  const CommandLine line = Parse({"-platform", "offscreen", "--display", ":7"});
  EXPECT_EQ(line.platformName, "offscreen");
  EXPECT_EQ(line.displayName, ":7");
}

TEST(CommandLine, AnythingElseIsAUsageErrorNamingTheFirstFault) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"-x", "--help"}, "unknown option '-x'"},
      {{"--help", "-x"}, "unknown option '-x'"},
      {{"file.txt"}, "unexpected argument 'file.txt'"},
      {{"--autostart"}, "--autostart needs on or off"},
      {{"--autostart", "yes"}, "--autostart takes on or off, not 'yes'"},
      {{"--autostart="}, "--autostart takes on or off, not ''"},
      {{"-platform"}, "-platform needs a value"},
      {{"--autostarts", "on"}, "unknown option '--autostarts'"},
      {{"-platform=xcb"}, "unknown option '-platform=xcb'"},
      {{"--version", "--bogus", "--other"}, "unknown option '--bogus'"},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, Action::UsageError) << testing::PrintToString(c.args);
    EXPECT_EQ(line.error, c.error) << testing::PrintToString(c.args);
  }
}

TEST(CommandLine, VersionIsKnown) {
  EXPECT_EQ(VersionText().rfind("zelmaro ", 0), 0u);
  EXPECT_NE(VersionText(), "zelmaro unknown\n");
}
