// Standard output and error for a program that prints and exits. A window-system program on
// Windows starts without a console: it writes to the one it was started from (a command
// prompt's), or to the file or pipe its output was redirected to. On Linux both streams are
// there already.
#pragma once

#include <string>

namespace platform {

// Joins the console the program was started from, where the streams have nowhere to go.
// Call once, before writing.
void UseParentConsole();

// Writes all of text (UTF-8, lines ending in '\n' whatever the system's convention) and flushes
// it; false when it could not (a full disk, a closed pipe, nowhere to write).
bool WriteStandardOutput(const std::string& text);
bool WriteStandardError(const std::string& text);

}  // namespace platform
