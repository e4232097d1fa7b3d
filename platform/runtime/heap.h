// Keeps the process's heap from holding on to memory it no longer uses: big buffers (a large
// message from another program on the bus, an oversized file read) go back to the system when
// freed, and free memory left scattered after a burst of requests is returned within a few
// seconds, checked as the event loop goes to sleep (no wake-up of its own).
#pragma once

namespace platform {

// Call once, early in main(), on the thread of the event loop.
void KeepHeapSmall();

}  // namespace platform
