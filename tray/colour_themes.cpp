#include "tray/colour_themes.h"

#include <cmath>

#include "platform/runtime/runtime.h"

namespace tray {

namespace {

struct Theme {
  const char* caption;
  gdi::COLORREF colour;
};

constexpr Theme kThemes[kColourCount] = {
    {"Blue", 0xFF0000},  {"Cyan", 0xFFFF00},  {"Green", 0x00FF00},  {"Purple", 0xFE00FE},
    {"Red", 0x0000FF},   {"White", 0xFFFFFF}, {"Yellow", 0x00FFFF},
};

}  // namespace

gdi::COLORREF IconColour(int index) { return index >= 0 && index < kColourCount ? kThemes[index].colour : 0; }

const char* ColourCaption(int index) {
  return index >= 0 && index < kColourCount ? kThemes[index].caption : nullptr;
}

void RecolourBars(platform::PictureSurface& DualColor, gdi::COLORREF colour) {
  const gdi::HDC dc = DualColor.hDC();
  const platform::Int16 lastRow = platform::CInt(DualColor.ScaleHeight() - 1);
  for (platform::Int16 y = 0; y <= lastRow; ++y) {
    const platform::Int16 lastColumn = platform::CInt(DualColor.ScaleWidth() - 1);
    for (platform::Int16 x = 0; x <= lastColumn; ++x) {
      const gdi::COLORREF pixel = gdi::GetPixel(dc, x, y);
      if (pixel != 0 && pixel != 0xFF00FF) gdi::SetPixelV(dc, x, y, colour);
    }
  }
  DualColor.MarkChanged();
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
