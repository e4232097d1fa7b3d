// The process's place in the desktop session: whether a display can be opened at all, and the
// end of the session (the session manager, SIGTERM, SIGHUP) turned into one callback on the
// user-interface thread.
#pragma once

#include <functional>
#include <string>

namespace platform {

// Empty when the toolkit can open a display (or a non-display platform was asked for);
// otherwise one line saying why not.
std::string DisplayUnavailableReason();

// Calls onEnd on the user-interface thread when the process receives SIGTERM, SIGHUP or SIGINT.
// Needs a running QCoreApplication; call once.
void WatchSessionEnd(std::function<void()> onEnd);

// Dispatches every message already waiting in the user-interface thread's queue.
void ProcessPendingMessages();

}  // namespace platform
