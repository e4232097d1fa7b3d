// A Windows thread's stack grows through a guard page kept just below its committed part;
// giving back pages under the one in use would move that page out of step, so they stay.
// Windows needs no saving here: the call does nothing.
#include "platform/runtime/stack.h"

namespace platform {

void ReleaseUnusedStack() {}

}  // namespace platform
