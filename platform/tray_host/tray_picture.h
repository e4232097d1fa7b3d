// A tray icon's picture: straight 0xAARRGGBB pixels (alpha 0 is transparent), row 0 at the top.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct TrayPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

}  // namespace platform
