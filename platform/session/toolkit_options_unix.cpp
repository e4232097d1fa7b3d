#include "platform/session/toolkit_options.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

// The options the application object and the X11 platform plugin take out of the command line.
constexpr std::array<std::string_view, 16> kWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "title", "name", "icon", "style",
    "stylesheet", "qmljsdebugger"};
constexpr std::array<std::string_view, 6> kFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                     "sync", "testability"};
// Options also written as one word with their value: "-style=fusion".
constexpr std::array<std::string_view, 3> kJoined = {"style", "stylesheet", "qmljsdebugger"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
  for (const std::string_view n : names)
    if (n == name) return true;
  return false;
}

}  // namespace

std::string ToolkitOptionName(const std::string& argument) {
  std::string_view a = argument;
  if (a.starts_with("--")) a.remove_prefix(2);
  else if (a.starts_with("-")) a.remove_prefix(1);
  else return "";
  return std::string(a);
}

ToolkitOption ClassifyToolkitOption(const std::string& argument) {
  const std::string name = ToolkitOptionName(argument);
  if (name.empty()) return ToolkitOption::None;
  const std::size_t eq = name.find('=');
  if (eq != std::string::npos)
    return Contains(kJoined, std::string_view(name).substr(0, eq)) ? ToolkitOption::Flag : ToolkitOption::None;
  if (Contains(kWithValue, name)) return ToolkitOption::WithValue;
  if (Contains(kFlags, name)) return ToolkitOption::Flag;
  return ToolkitOption::None;
}

void UseDisplayOptions(const std::string& platformName, const std::string& displayName) {
  if (!platformName.empty()) ::setenv("QT_QPA_PLATFORM", platformName.c_str(), 1);
  if (!displayName.empty()) ::setenv("DISPLAY", displayName.c_str(), 1);
}

}  // namespace platform
