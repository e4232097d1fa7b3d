// What the program lets go of, and when. Big freed blocks go back to the system at once; free
// memory left scattered after a burst of requests is returned within a few seconds; once no
// window is shown any more, what only drawing needed goes too: the deep stack pages of layout
// and painting, and the heap pages they leave free. Loaded fonts stay: the toolkit offers no
// public way to let go of them.
#pragma once

// Call once, early in main(), after the message loop exists, on its thread.
void KeepMemorySmall();
