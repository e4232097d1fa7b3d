// The window-system toolkit's own command-line options, which it takes out of the command line
// when the application object is made, so that a program's parser can let them through.
#pragma once

#include <string>

namespace platform {

enum class ToolkitOption {
  None,       // not one of the toolkit's options
  Flag,       // an option on its own (-reverse)
  WithValue,  // an option followed by its value (-platform xcb); "-style=fusion" counts as Flag
};

// What argument (one word of the command line) is to the toolkit; "--name" is read as "-name".
ToolkitOption ClassifyToolkitOption(const std::string& argument);

// The option's name without its dashes ("-platform" and "--platform" give "platform").
std::string ToolkitOptionName(const std::string& argument);

// Makes -platform and -display count before the display is looked for: the toolkit gives them
// precedence over QT_QPA_PLATFORM and DISPLAY, so those are set to the same values. An empty
// value leaves its variable alone.
void UseDisplayOptions(const std::string& platformName, const std::string& displayName);

}  // namespace platform
