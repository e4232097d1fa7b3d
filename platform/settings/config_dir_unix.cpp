#include "platform/settings/config_dir_unix.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

std::string UserConfigDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home && home[0] != '\0') return std::string(home) + "/.config";
  const passwd* pw = ::getpwuid(::getuid());
  return std::string(pw && pw->pw_dir ? pw->pw_dir : "") + "/.config";
}

}  // namespace platform
