#include "platform/raster_graphics/qt_images_unix.h"

#include <cstdint>
#include <cstring>

#include "platform/raster_graphics/picture_pixels.h"

namespace platform {

namespace {

// An image of the given format holding a copy of the words.
QImage ToQImage(const Pixels& pixels, QImage::Format format) {
  QImage out(pixels.width, pixels.height, format);
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(out.scanLine(y), &pixels.words[static_cast<std::size_t>(y) * pixels.width],
                static_cast<std::size_t>(pixels.width) * 4);
  return out;
}

}  // namespace

QImage IconToQImage(gdi::HICON icon) {
  const Pixels pixels = IconPixels(icon);
  if (pixels.words.empty()) return {};
  return ToQImage(pixels, QImage::Format_ARGB32);
}

QPixmap PictureToPixmap(const StdPicture& picture) {
  const Pixels pixels = PicturePixels(picture);
  if (pixels.words.empty()) return {};
  return QPixmap::fromImage(ToQImage(pixels, QImage::Format_RGB32));
}

QImage SurfaceToQImage(const PictureSurface& surface) {
  const int width = surface.ScaleWidth();
  const int height = surface.ScaleHeight();
  QImage out(width, height, QImage::Format_RGB32);
  const std::uint32_t* pixels = surface.Pixels();
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    std::memcpy(row, pixels + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x) row[x] |= 0xFF000000u;
  }
  return out;
}

}  // namespace platform
