#include "platform/pictures/picture_win.h"

#include <vector>

namespace platform {

HICON SystemIcon(const Picture& image) {
  const int w = image.width, h = image.height;
  if (w <= 0 || h <= 0 || image.argb.size() != static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
    return nullptr;
  // Colour: 32 bits per pixel, top row first; 0xAARRGGBB is the layout of such a bitmap in
  // memory. Transparent pixels are black, so that the mask alone decides where they are.
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = w;
  header.bV5Height = -h;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP colour = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                      nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  if (colour == nullptr) return nullptr;
  // Mask: one bit per pixel, 1 = transparent, rows padded to 16 bits.
  const int stride = (w + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h), 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = image.argb[static_cast<std::size_t>(y) * w + x];
      const bool transparent = (p >> 24) == 0;
      pixels[static_cast<std::size_t>(y) * w + x] = transparent ? 0 : (p | 0xFF000000u);
      if (transparent) mask[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  HBITMAP maskBitmap = ::CreateBitmap(w, h, 1, 1, mask.data());
  HICON icon = nullptr;
  if (maskBitmap != nullptr) {
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskBitmap;
    info.hbmColor = colour;
    icon = ::CreateIconIndirect(&info);  // copies both bitmaps
    ::DeleteObject(maskBitmap);
  }
  ::DeleteObject(colour);
  return icon;
}

}  // namespace platform
