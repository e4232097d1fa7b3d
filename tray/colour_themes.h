// The seven tray icon colours, recolouring of the coloured two-bar image, and reading the
// stored colour setting.
#pragma once

#include <optional>
#include <string>

#include "platform/raster_graphics/gdi.h"
#include "platform/raster_graphics/picture_surface.h"

namespace tray {

constexpr int kColourCount = 7;
// The colour the meter starts with until the user picks one: Green.
constexpr int kDefaultColourIndex = 2;

// Colour (0x00BBGGRR) and menu caption of colour index 0..6; black and nullptr outside.
gdi::COLORREF IconColour(int index);
const char* ColourCaption(int index);

// Sets every pixel of the surface that is neither black nor 0xFF00FF to the colour.
void RecolourBars(platform::PictureSurface& DualColor, gdi::COLORREF colour);

// The colour index a stored "Color" text names: a whole decimal number 0..6, surrounding
// spaces and leading zeros allowed, no sign. Anything else gives nullopt.
std::optional<int> ParseColourIndex(const std::string& stored);

}  // namespace tray
