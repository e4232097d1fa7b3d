// The toolkit keeps every font it has drawn with loaded: the font file's tables, its shaping
// plans and rendered glyphs. While no window is shown none of that is needed, and it is loaded
// again, to the same pixels, when text is next laid out.
#pragma once

namespace platform {

// Lets go of the loaded fonts of the calling thread. A toolkit that offers no way to do so
// keeps them; nothing else changes.
void ReleaseFontCaches();

// True while any window of the program is shown (menus and tooltips included).
bool AnyWindowShown();

}  // namespace platform
