// Which window system the toolkit is to use, and why none can be opened, decided from the
// environment before the toolkit starts.
#pragma once

#include <string>

namespace platform {

struct DisplayEnvironment {
  std::string qpaPlatform;     // QT_QPA_PLATFORM
  std::string display;         // DISPLAY
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  bool waylandSocket = false;  // WAYLAND_DISPLAY names an existing socket
};

struct DisplayChoice {
  // Non-empty when the toolkit should be told which platform to use: a Wayland session
  // without an X server, where the toolkit would otherwise look for X alone.
  std::string platform;
  // Non-empty when no display can be opened: one line saying why, true to the environment.
  std::string unavailable;
};

DisplayChoice ChooseDisplay(const DisplayEnvironment& env);

// The environment of this process.
DisplayEnvironment CurrentDisplayEnvironment();

// One line for a toolkit message given while opening the display: a platform plugin that was
// not found is named with the package that holds it; anything else is reported as it is.
std::string DisplayFailureLine(const std::string& toolkitMessage);

}  // namespace platform
