#include "tray/bar_icon.h"

#include <cmath>

#include "platform/runtime/runtime.h"
#include "tray/tray_grafix.h"

namespace tray {

namespace {

constexpr int kBarLeft[2] = {0, 17};
constexpr int kBarWidth = 15;

}  // namespace

void ResetBarIcon(platform::PictureSurface& template0, platform::PictureSurface& working1) {
  working1.SetPicture(template0.GetPicture());
}

int BlankHeight(double reading) {
  // A reading outside 0..100 (or not a number) would give a block outside the bar.
  if (std::isnan(reading) || reading < 0) reading = 0;
  if (reading > 100) reading = 100;
  return static_cast<int>(platform::RoundHalfEven(32 - reading / 3.125));
}

void DrawBar(platform::PictureSurface& working, const platform::PictureSurface& DualBlank, int bar,
             double reading) {
  if (bar < 0 || bar > 1) return;
  const int h = BlankHeight(reading);
  gdi::BitBlt(working.hDC(), kBarLeft[bar], 0, kBarWidth, h, DualBlank.hDC(), kBarLeft[bar], 0, gdi::SRCCOPY);
  working.MarkChanged();
}

gdi::HICON ComposeIcon(platform::PictureSurface& working) {
  working.SetPicture(working.Image());
  return TrayGrafix::BitmapToIcon(working.GetPicture()->Handle(), kKeyColour);
}

}  // namespace tray
