// The seven tray icon colours and reading the stored colour setting.
#pragma once

#include <optional>
#include <string>

#include "platform/pictures/picture.h"

namespace tray {

constexpr int kColourCount = 7;
// The colour the meter starts with until the user picks one: Green.
constexpr int kDefaultColourIndex = 2;

// Colour (0xRRGGBB) and menu caption of colour index 0..6; black and nullptr outside.
platform::Colour IconColour(int index);
const char* ColourCaption(int index);

// The colour index a stored "Color" text names: a whole decimal number 0..6, surrounding
// spaces and leading zeros allowed, no sign. Anything else gives nullopt.
std::optional<int> ParseColourIndex(const std::string& stored);

}  // namespace tray
