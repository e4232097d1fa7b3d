// Windows programs have no toolkit whose options the command line would carry.
#include "platform/session/toolkit_options.h"

namespace platform {

std::string ToolkitOptionName(const std::string& argument) {
  if (argument.starts_with("--")) return argument.substr(2);
  if (argument.starts_with("-")) return argument.substr(1);
  return "";
}

ToolkitOption ClassifyToolkitOption(const std::string&) { return ToolkitOption::None; }

void UseDisplayOptions(const std::string&, const std::string&) {}

}  // namespace platform
