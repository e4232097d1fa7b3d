#include "platform/window_system/paint_pixels_win.h"

#include "platform/pictures/scaled_picture.h"

namespace platform {

void PaintPixels(HDC dc, const Picture& picture, const RECT& dest) {
  const int w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (picture.width <= 0 || picture.height <= 0 || w <= 0 || h <= 0) return;
  Picture scaled;
  const std::uint32_t* argb = picture.argb.data();
  if (w != picture.width || h != picture.height) {
    scaled = Scaled(picture, w, h);
    argb = scaled.argb.data();
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
