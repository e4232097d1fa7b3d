// The two two-bar images the tray code works on, built here so the tray tests stand alone.
#pragma once

#include <array>
#include <cstdint>

#include "platform/raster_graphics/picture_surface.h"

namespace tray_test {

// Frame black; bars (columns 2-14, 18-29 of rows 2-30) in `bars`; column 17 magenta.
inline platform::Picture TwoBarPicture(std::uint32_t bars) {
  std::array<std::uint32_t, 32 * 32> px;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool frame = y < 2 || y == 31 || x < 2 || x == 15 || x == 16 || x > 29;
      px[y * 32 + x] = frame ? 0xFF000000u : (x == 17 ? 0xFFFF00FFu : bars);
    }
  return platform::PictureFromArgb(32, 32, px.data());
}

inline platform::Picture ColouredBars() { return TwoBarPicture(0xFFFFFFFFu); }
inline platform::Picture BlankBars() { return TwoBarPicture(0xFFFF00FFu); }

}  // namespace tray_test
