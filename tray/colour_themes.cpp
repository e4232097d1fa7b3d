#include "tray/colour_themes.h"

namespace tray {

namespace {

struct Theme {
  const char* caption;
  platform::Colour colour;
};

constexpr Theme kThemes[kColourCount] = {
    {"Blue", 0x0000FF},  {"Cyan", 0x00FFFF},  {"Green", 0x00FF00},  {"Purple", 0xFE00FE},
    {"Red", 0xFF0000},   {"White", 0xFFFFFF}, {"Yellow", 0xFFFF00},
};

}  // namespace

platform::Colour IconColour(int index) { return index >= 0 && index < kColourCount ? kThemes[index].colour : 0; }

const char* ColourCaption(int index) {
  return index >= 0 && index < kColourCount ? kThemes[index].caption : nullptr;
}

std::optional<int> ParseColourIndex(const std::string& stored) {
  std::size_t first = stored.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = stored.find_last_not_of(' ');
  int value = 0;
  for (std::size_t i = first; i <= last; ++i) {
    const char c = stored[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 32767) return std::nullopt;  // beyond a 16-bit integer
  }
  if (value >= kColourCount) return std::nullopt;
  return value;
}

}  // namespace tray
