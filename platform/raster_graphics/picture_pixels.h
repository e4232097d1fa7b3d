// Pixels of the raster layer's pictures and icons, as a window system's image wants them:
// 32-bit words, row 0 at the top.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster_graphics/gdi.h"
#include "platform/raster_graphics/picture_surface.h"

namespace platform {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> words;  // width * height
};

// The picture's bitmap as opaque 0xFFRRGGBB words; empty for no picture.
Pixels PicturePixels(const StdPicture& picture);
// The icon as straight 0xAARRGGBB words; empty for a handle that is no icon.
Pixels IconPixels(gdi::HICON icon);

}  // namespace platform
