// On Windows nothing is let go once the windows close (loop_idle_win.cpp), so nothing asks
// whether one was shown: the notes are not kept and no window counts as shown.
#include "platform/window_system/shown_windows.h"

namespace platform {

void NoteWindowShown() {}

bool TakeWindowShownNote() { return false; }

bool AnyWindowShown() { return false; }

}  // namespace platform
