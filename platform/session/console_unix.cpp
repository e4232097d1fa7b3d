#include "platform/session/console.h"

namespace platform {

void UseParentConsole() {}  // the terminal's streams are the process's own

}  // namespace platform
