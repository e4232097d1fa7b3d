// The two 32 x 32 two-bar pictures the tray icon is made of: a black frame (rows 0, 1 and 31,
// columns 0, 1, 15, 16, 30 and 31) around two bars.
#pragma once

#include "platform/pictures/picture.h"
#include "platform/pictures/scaled_picture.h"

namespace tray {

inline constexpr platform::Colour kKeyColour = 0xFF00FF;  // magenta: transparent in the icon

// White bars (columns 2-14 and 18-29 of rows 2-30), magenta column 17.
platform::Picture ColouredBarsPicture();
// Magenta in columns 2-14 and 17-29 of rows 2-30.
platform::Picture BlankBarsPicture();
// The frame's and the divider's lines: an icon drawn smaller than 32 pixels keeps each one
// pixel wide and gives the bars the rest, so no line doubles or drops out at 20 or 24 pixels.
platform::PictureLines TwoBarLines();

}  // namespace tray
