#include "platform/session/display_choice_unix.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool Names(const std::string& list, const std::string& platform) {
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(';', start), list.size());
    if (list.compare(start, end - start, platform) == 0 ||
        list.compare(start, platform.size() + 1, platform + ":") == 0)
      return true;
    start = end + 1;
  }
  return false;
}

std::string WaylandProblem(const DisplayEnvironment& env) {
  if (env.waylandDisplay.empty()) return "WAYLAND_DISPLAY is not set";
  return "WAYLAND_DISPLAY (" + env.waylandDisplay + ") names no socket";
}

}  // namespace

DisplayChoice ChooseDisplay(const DisplayEnvironment& env) {
  DisplayChoice out;
  const bool x = !env.display.empty();
  const bool wayland = env.waylandSocket;
  if (env.qpaPlatform.empty()) {
    if (!x && wayland) out.platform = "wayland";
    if (!x && !wayland)
      out.unavailable = env.waylandDisplay.empty()
                            ? "no display: DISPLAY and WAYLAND_DISPLAY are not set (run it in a desktop session)"
                            : "no display: DISPLAY is not set and " + WaylandProblem(env) + " (run it in a desktop session)";
    return out;
  }
  const bool wantX = Names(env.qpaPlatform, "xcb");
  const bool wantWayland = Names(env.qpaPlatform, "wayland") || Names(env.qpaPlatform, "wayland-egl");
  if (!wantX && !wantWayland) return out;  // another platform (offscreen, ...): the toolkit's business
  if ((wantX && x) || (wantWayland && wayland)) return out;
  const std::string asked = "QT_QPA_PLATFORM=" + env.qpaPlatform;
  if (wantX && wantWayland) {
    out.unavailable = "no display: DISPLAY is not set and " + WaylandProblem(env) + " (run it in a desktop session)";
  } else if (wantX) {
    out.unavailable = "no X display: " + asked + " asks for X11 and DISPLAY is not set" +
                      (wayland ? " (this is a Wayland session: unset QT_QPA_PLATFORM)" : " (run it in a desktop session)");
  } else {
    out.unavailable = "no Wayland display: " + asked + " asks for Wayland and " + WaylandProblem(env) +
                      (x ? " (this is an X11 session: unset QT_QPA_PLATFORM)" : " (run it in a desktop session)");
  }
  return out;
}

DisplayEnvironment CurrentDisplayEnvironment() {
  DisplayEnvironment env;
  env.qpaPlatform = Env("QT_QPA_PLATFORM");
  env.display = Env("DISPLAY");
  env.waylandDisplay = Env("WAYLAND_DISPLAY");
  if (!env.waylandDisplay.empty()) {
    const std::string path =
        env.waylandDisplay[0] == '/' ? env.waylandDisplay : Env("XDG_RUNTIME_DIR") + "/" + env.waylandDisplay;
    struct stat st {};
    env.waylandSocket = ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
  }
  return env;
}

std::string DisplayFailureLine(const std::string& toolkitMessage) {
  // "Could not load ... even though it was found" follows a failed connection; only a plugin
  // that was not found at all is missing.
  const bool missing = toolkitMessage.find("Could not find the Qt platform plugin") != std::string::npos;
  if (missing && toolkitMessage.find("\"wayland") != std::string::npos)
    return "the toolkit's Wayland platform plugin is missing (install the package qt6-wayland)";
  if (missing && toolkitMessage.find("\"xcb\"") != std::string::npos)
    return "the toolkit's X11 platform plugin is missing (install the package qt6-qpa-plugins)";
  return "cannot open the display (" + toolkitMessage + "); run it in a desktop session";
}

}  // namespace platform
