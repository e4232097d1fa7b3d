// Work that rides on the event loop's own wake-ups.
#pragma once

#include <chrono>
#include <functional>

namespace platform {

// Calls `call` on the event loop's thread as the loop is about to wait for the next event, at
// most once per `period`: it runs after wake-ups the program has anyway (its timer, a request)
// and never wakes the process itself. Call once the application object exists.
void CallAsLoopGoesToSleep(std::chrono::milliseconds period, std::function<void()> call);

}  // namespace platform
