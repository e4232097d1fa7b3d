// The pictures stored with the window, generated pixel for pixel: the coloured and the blank
// two-bar images, the window icon and the percent scale strips.
#pragma once

#include "platform/raster_graphics/gdi.h"
#include "platform/raster_graphics/picture_surface.h"

namespace window {

// 32 x 32: black frame and divider, white bars (columns 2-14 and 18-29 of rows 2-30), magenta
// column 17.
platform::Picture DualColorPicture();
// 32 x 32: the same frame, magenta in columns 2-14 and 17-29 of rows 2-30.
platform::Picture DualBlankPicture();
// 32 x 32 icon of two striped bars in a black frame, transparent above the bars. The caller
// destroys it.
gdi::HICON CreateWindowIcon();
// 50 rows high, 7 or 8 columns wide: "90" ... "10" in cyan on teal. 0 columns gives null.
platform::Picture ScaleStripPicture(int columns);

}  // namespace window
