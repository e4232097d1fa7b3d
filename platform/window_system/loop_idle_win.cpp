// The Windows program lets go of nothing while idle (the heap and the stack need no help there:
// heap_win.cpp, stack_win.cpp), so no work rides on the message loop's wake-ups and the loop
// stays a plain GetMessage loop: the call is dropped.
#include "platform/window_system/loop_idle.h"

namespace platform {

void CallAsLoopGoesToSleep(std::chrono::milliseconds, std::function<void()>) {}

}  // namespace platform
