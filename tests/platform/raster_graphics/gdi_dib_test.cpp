// DIB sections: pixel formats and the colour-to-monochrome rule in the source format.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/raster_graphics/gdi.h"

using namespace gdi;

namespace {

BITMAPINFO Header(int w, int h, int bpp, DWORD compression = BI_RGB) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bpp);
  info.bmiHeader.biCompression = compression;
  return info;
}

// Runs f with the bitmap selected into a fresh memory DC.
template <typename F>
void With(HBITMAP bmp, F f) {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  f(dc);
  SelectObject(dc, old);
  DeleteDC(dc);
}

TEST(GdiDib, PixelsHoldWhatTheirFormatCanHold) {
  // 4 bpp with a two-entry table: colours map to the nearest entry.
  BITMAPINFO idx = Header(5, 1, 4);
  idx.bmiHeader.biClrUsed = 2;
  idx.bmiColors[0] = RGBQUAD{0, 0, 0, 0};
  idx.bmiColors[1] = RGBQUAD{0, 0, 200, 0};  // red 200
  HBITMAP four = CreateDIBSection(0, &idx, DIB_RGB_COLORS, nullptr, 0, 0);
  With(four, [](HDC dc) {
    SetPixelV(dc, 3, 0, 0x0000FF);
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), 0u);
  });
  // 16 bpp without masks is 5-5-5.
  BITMAPINFO rgb16 = Header(2, 2, 16);
  HBITMAP sixteen = CreateDIBSection(0, &rgb16, DIB_RGB_COLORS, nullptr, 0, 0);
  With(sixteen, [&](HDC dc) {
    SetPixelV(dc, 0, 1, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0xF8, 0, 0));
  });
  // 32 bpp bit fields with swapped channels.
  BITMAPINFO bf = Header(1, 1, 32, BI_BITFIELDS);
  const DWORD masks[3] = {0x000000FF, 0x0000FF00, 0x00FF0000};
  std::memcpy(bf.bmiColors, masks, sizeof masks);
  HBITMAP thirtyTwo = CreateDIBSection(0, &bf, DIB_RGB_COLORS, nullptr, 0, 0);
  With(thirtyTwo, [&](HDC dc) {
    SetPixelV(dc, 0, 0, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x11, 0x22, 0x33));
  });
  DeleteObject(four);
  DeleteObject(sixteen);
  DeleteObject(thirtyTwo);
}

TEST(GdiDib, ColourToMonoComparesInTheSourceFormat) {
  BITMAPINFO rgb16 = Header(2, 1, 16);
  HBITMAP src = CreateDIBSection(0, &rgb16, DIB_RGB_COLORS, nullptr, 0, 0);
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
  HDC s = CreateCompatibleDC(0), m = CreateCompatibleDC(0);
  HGDIOBJ so = SelectObject(s, src), mo = SelectObject(m, mask);
  SetPixelV(s, 0, 0, 0xFF00FF);
  SetBkColor(s, 0xFF00FF);  // held as 0xF800F8 by the 5-5-5 pixels
  BitBlt(m, 0, 0, 2, 1, s, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(m, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(m, 1, 0), 0u);
  SelectObject(s, so);
  SelectObject(m, mo);
  DeleteDC(s);
  DeleteDC(m);
  DeleteObject(src);
  DeleteObject(mask);
}

}  // namespace
