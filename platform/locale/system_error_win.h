// The system's own words for a Win32 error code, for messages that tell the user why.
#pragma once

#include <string>

namespace platform {

// The message text without its closing full stop and line end; "error N" where the system
// has none.
std::string SystemErrorText(unsigned long error);

}  // namespace platform
