#include "platform/raster_graphics/picture_pixels.h"

namespace platform {

Pixels PicturePixels(const StdPicture& picture) {
  Pixels out;
  const int width = picture.Width();
  const int height = picture.Height();
  if (width < 1 || height < 1) return out;
  out.words.resize(static_cast<std::size_t>(width) * height);
  // Top-down 32-bit rows straight into the words.
  gdi::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(gdi::BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = gdi::BI_RGB;
  const gdi::HDC dc = gdi::CreateCompatibleDC(0);
  const int lines = gdi::GetDIBits(dc, picture.Handle(), 0, static_cast<gdi::UINT>(height), out.words.data(),
                                   &info, gdi::DIB_RGB_COLORS);
  gdi::DeleteDC(dc);
  if (lines != height) return {};
  // 32-bit rows leave the top byte zero: the picture is opaque, say so in every pixel.
  for (std::uint32_t& w : out.words) w |= 0xFF000000u;
  out.width = width;
  out.height = height;
  return out;
}

Pixels IconPixels(gdi::HICON icon) {
  gdi::IconImage image;
  if (!gdi::ReadIconImage(icon, &image)) return {};
  return {image.width, image.height, std::move(image.argb)};
}

}  // namespace platform
