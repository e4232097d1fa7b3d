// Standard output and error for a program that prints and exits. A window-system program on
// Windows starts without a console: it writes to the one it was started from (a command
// prompt's), or to the file or pipe its output was redirected to. On Linux both are there
// already.
#pragma once

namespace platform {

// Call before printing; once.
void UseParentConsole();

}  // namespace platform
