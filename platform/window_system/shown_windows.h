// Whether the program has shown a window: what drawing one loaded (fonts, stack, heap) is of no
// use once none is shown.
#pragma once

namespace platform {

// Called by whatever shows a window (the form, a popup menu, a message box), so the fact is
// known even if the window closes again before anyone asks.
void NoteWindowShown();

// Whether a window was shown since the last call (or since start, on the first call).
bool TakeWindowShownNote();

// True while any window of the program is shown (menus and tooltips included).
bool AnyWindowShown();

}  // namespace platform
