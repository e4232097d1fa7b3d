// Keeps the process's heap from holding on to memory it no longer uses: big buffers (a large
// message from another program on the bus, an oversized file read) go back to the system when
// freed, and free memory left scattered after a burst of requests is returned within a few
// seconds, checked as the event loop goes to sleep (no wake-up of its own). While no window is
// shown, what only drawing text needs is let go too.
#pragma once

namespace platform {

// Call first in main(), before any thread starts.
void LimitHeapArenas();

// Call once, early in main(), on the thread of the event loop.
void KeepHeapSmall();

// Tells the check that a window is being shown (it may close again before the check sees it
// open), so what it drew is let go after it closes.
void NoteWindowShown();

}  // namespace platform
