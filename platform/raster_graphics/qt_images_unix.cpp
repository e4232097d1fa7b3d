#include "platform/raster_graphics/qt_images_unix.h"

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

void MakeOpaque(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) row[x] |= 0xFF000000u;
  }
}

}  // namespace

QImage IconToQImage(gdi::HICON icon) {
  gdi::IconImage image;
  if (!gdi::ReadIconImage(icon, &image)) return {};
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y)
    std::memcpy(out.scanLine(y), &image.argb[static_cast<std::size_t>(y) * image.width],
                static_cast<std::size_t>(image.width) * 4);
  return out;
}

QPixmap PictureToPixmap(const StdPicture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  if (width < 1 || height < 1) return {};
  QImage out(width, height, QImage::Format_RGB32);
  // Read the bitmap as top-down 32-bit rows straight into the image.
  gdi::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(gdi::BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = gdi::BI_RGB;
  const gdi::HDC dc = gdi::CreateCompatibleDC(0);
  const int lines = gdi::GetDIBits(dc, picture.Handle(), 0, static_cast<gdi::UINT>(height), out.bits(),
                                   &info, gdi::DIB_RGB_COLORS);
  gdi::DeleteDC(dc);
  if (lines != height) return {};
  // 32-bit rows leave the top byte zero; X11 ignores it, Wayland compositors read it as
  // transparency. The picture is opaque: say so in every pixel.
  MakeOpaque(out);
  return QPixmap::fromImage(out);
}

QImage SurfaceToQImage(const PictureSurface& surface) {
  const int width = surface.ScaleWidth();
  const int height = surface.ScaleHeight();
  QImage out(width, height, QImage::Format_RGB32);
  const std::uint32_t* pixels = surface.Pixels();
  for (int y = 0; y < height; ++y)
    std::memcpy(out.scanLine(y), pixels + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width) * 4);
  MakeOpaque(out);
  return out;
}

}  // namespace platform
