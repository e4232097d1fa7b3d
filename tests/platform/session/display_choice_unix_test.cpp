// The window system chosen from the environment, and the one line that says why none opens.
#include "platform/session/display_choice_unix.h"

#include <gtest/gtest.h>

namespace {

using platform::ChooseDisplay;
using platform::DisplayEnvironment;

DisplayEnvironment Env(std::string qpa, std::string display, std::string wayland, bool socket) {
  return {std::move(qpa), std::move(display), std::move(wayland), socket};
}

TEST(DisplayChoice, EachMessageIsTrueToTheEnvironment) {
  struct Case {
    DisplayEnvironment env;
    std::string platform;
    std::string unavailable;  // "" or a piece the line must hold
    std::string mustNotSay;
  } cases[] = {
      {Env("", ":0", "", false), "", "", ""},
      {Env("", ":0", "wayland-0", true), "", "", ""},  // both: the toolkit's own choice
      {Env("", "", "wayland-0", true), "wayland", "", ""},
      {Env("", "", "", false), "", "DISPLAY and WAYLAND_DISPLAY are not set", ""},
      {Env("", "", "wayland-9", false), "", "WAYLAND_DISPLAY (wayland-9) names no socket", "are not set"},
      {Env("xcb", "", "wayland-0", true), "", "asks for X11 and DISPLAY is not set", "WAYLAND_DISPLAY"},
      {Env("xcb", "", "", false), "", "asks for X11 and DISPLAY is not set", ""},
      {Env("xcb", ":0", "", false), "", "", ""},
      {Env("wayland", ":0", "", false), "", "asks for Wayland and WAYLAND_DISPLAY is not set", ""},
      {Env("wayland", "", "wayland-0", true), "", "", ""},
      {Env("wayland;xcb", ":0", "", false), "", "", ""},
      {Env("wayland;xcb", "", "", false), "", "DISPLAY is not set and WAYLAND_DISPLAY is not set", ""},
      {Env("offscreen", "", "", false), "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("QT_QPA_PLATFORM=" + c.env.qpaPlatform + " DISPLAY=" + c.env.display +
                 " WAYLAND_DISPLAY=" + c.env.waylandDisplay);
    const auto choice = ChooseDisplay(c.env);
    EXPECT_EQ(choice.platform, c.platform);
    if (c.unavailable.empty()) {
      EXPECT_EQ(choice.unavailable, "");
    } else {
      EXPECT_NE(choice.unavailable.find(c.unavailable), std::string::npos) << choice.unavailable;
      EXPECT_EQ(choice.unavailable.find('\n'), std::string::npos);
    }
    if (!c.mustNotSay.empty()) {
      EXPECT_EQ(choice.unavailable.find(c.mustNotSay), std::string::npos) << choice.unavailable;
    }
  }
}

TEST(DisplayChoice, MissingPluginIsNamedWithItsPackage) {
  EXPECT_EQ(platform::DisplayFailureLine("Could not find the Qt platform plugin \"wayland\" in \"\""),
            "the toolkit's Wayland platform plugin is missing (install the package qt6-wayland)");
  // Found but not loadable after a failed connection: a display problem, not a missing plugin.
  const std::string failed = platform::DisplayFailureLine(
      "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.");
  EXPECT_EQ(failed.find("install"), std::string::npos);
  EXPECT_NE(failed.find("cannot open the display"), std::string::npos);
}

}  // namespace
