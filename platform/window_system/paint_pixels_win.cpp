#include "platform/window_system/display_scale.h"
#include "platform/window_system/paint_pixels_win.h"

#include <vector>

namespace platform {

void PaintPixels(HDC dc, const std::uint32_t* argb, int width, int height, const RECT& dest) {
  const int w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (width <= 0 || height <= 0 || w <= 0 || h <= 0 || argb == nullptr) return;
  std::vector<std::uint32_t> scaled;
  if (w != width || h != height) {
    scaled = ScaleNearest(argb, width, height, w, h);
    argb = scaled.data();
  }
  // The words are a top-down 32-bit DIB's rows as they are.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, dest.left, dest.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                    static_cast<UINT>(h), argb, &info, DIB_RGB_COLORS);
}

}  // namespace platform
