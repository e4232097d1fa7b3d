// A 32 x 32 picture shaped as the program's tray icon, for tests of where pictures meet a system.
#pragma once

#include <cstdint>

#include "platform/pictures/picture.h"

namespace testing_pictures {

// Black frame and divider, bars of the given pixel value, the key column 17 transparent.
inline platform::Picture TwoBarPicture(std::uint32_t bar) {
  platform::Picture p(32, 32, 0xFF000000u);
  for (int y = 2; y <= 30; ++y)
    for (int x = 2; x <= 29; ++x) p.At(x, y) = x == 17 ? platform::kTransparent : bar;
  return p;
}

}  // namespace testing_pictures
