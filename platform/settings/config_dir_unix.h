// Where the user's configuration files live: the folder of the settings file and of the
// autostart entries.
#pragma once

#include <string>

namespace platform {

// $XDG_CONFIG_HOME when it is an absolute path, otherwise $HOME/.config (the password
// database's home when HOME is unset).
std::string UserConfigDir();

}  // namespace platform
