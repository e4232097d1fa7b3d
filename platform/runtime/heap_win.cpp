// The heap of a Windows process is the system's own: nothing to limit or trim, and nothing to
// let go once the window has been shown.
#include "platform/runtime/heap.h"

namespace platform {

void LimitHeapArenas() {}

void KeepHeapSmall() {}

void NoteWindowShown() {}

}  // namespace platform
