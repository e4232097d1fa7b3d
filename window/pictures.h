// The pictures stored with the window, generated pixel for pixel: the window icon and the
// percent scale strips.
#pragma once

#include "platform/pictures/picture.h"

namespace window {

// 32 x 32 icon of two striped bars in a black frame, transparent above the bars.
platform::Picture WindowIconPicture();
// 50 rows high, 7 or 8 columns wide: "90" ... "10" in cyan on teal. Other widths: empty.
platform::Picture ScaleStripPicture(int columns);

}  // namespace window
