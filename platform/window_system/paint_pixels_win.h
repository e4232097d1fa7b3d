// Paints a picture's pixels into a rectangle of a device context: 1:1 where the sizes agree,
// otherwise each pixel of the rectangle takes the picture's pixel under its centre, so that a
// picture keeps its pure colours and whole-pixel edges at every display scale.
#pragma once

#include "platform/pictures/picture.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

// Alpha is ignored: transparent pixels show black.
void PaintPixels(HDC dc, const Picture& picture, const RECT& dest);

}  // namespace platform
