// Paints a picture's pixels into a rectangle of a device context: 1:1 where the sizes agree,
// otherwise each pixel of the rectangle takes the picture's pixel under its centre, so that a
// picture keeps its pure colours and whole-pixel edges at every display scale.
#pragma once

#include <cstdint>

#include "platform/runtime/windows_system_win.h"

namespace platform {

// argb: width x height 0xAARRGGBB words, top row first (alpha ignored).
void PaintPixels(HDC dc, const std::uint32_t* argb, int width, int height, const RECT& dest);

}  // namespace platform
