// The process's place in the desktop session: whether a display can be opened at all, and the
// end of the session (Linux: the session manager, SIGTERM, SIGHUP; Windows: the end of the
// logon or a shutdown, a console's close or break) turned into one callback on the
// user-interface thread.
#pragma once

#include <functional>
#include <string>

namespace platform {

// Before the toolkit starts: names the Wayland session to the toolkit when there is no X
// server, and returns one line saying why no display can be opened when that is plain from
// the environment (empty otherwise).
std::string PrepareDisplay();

// Around the construction of the application object: a display that cannot be opened ends the
// process with one line on standard error and status 1, instead of the toolkit's abort.
void BeginDisplayConnection();
void EndDisplayConnection();

// Calls onEnd on the user-interface thread when the process receives SIGTERM, SIGHUP or SIGINT
// (Linux), or when the session ends (Windows: onEnd must finish its work before it returns,
// the system may end the process right after). Needs the message loop
// (platform/window_system/message_loop.h); call once.
void WatchSessionEnd(std::function<void()> onEnd);

}  // namespace platform
