// Stack pages that a deep call once touched stay in memory after the call returns.
#pragma once

namespace platform {

// Returns to the system the calling thread's stack pages below the ones in use now (the
// kernel gives zeroed pages back if they are needed again). Call from a shallow point: the
// event loop between events.
void ReleaseUnusedStack();

}  // namespace platform
