// DIB sections: pixel formats, and GetDIBits queries and reads.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

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

TEST(GdiDib, IndexedSixteenAndThirtyTwoBitLayouts) {
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

TEST(GdiDib, HeaderThenColoursQueries) {
  BITMAPINFO made = Header(10, -3, 8);  // top-down
  made.bmiHeader.biClrUsed = 3;
  made.bmiColors[2] = RGBQUAD{1, 2, 3, 0};
  HBITMAP bmp = CreateDIBSection(0, &made, DIB_RGB_COLORS, nullptr, 0, 0);
  HDC dc = CreateCompatibleDC(0);
  BITMAPINFO q;
  std::memset(&q, 0, sizeof q);
  q.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  ASSERT_NE(GetDIBits(dc, bmp, 0, 0, nullptr, &q, DIB_RGB_COLORS), 0);
  EXPECT_EQ(q.bmiHeader.biWidth, 10);
  EXPECT_EQ(q.bmiHeader.biHeight, 3);
  EXPECT_EQ(q.bmiHeader.biBitCount, 8);
  EXPECT_EQ(q.bmiHeader.biPlanes, 1);
  EXPECT_EQ(q.bmiHeader.biCompression, BI_RGB);
  EXPECT_EQ(q.bmiHeader.biSizeImage, 12u * 3);
  EXPECT_EQ(q.bmiHeader.biClrUsed, 3u);
  EXPECT_EQ(q.bmiColors[2].rgbRed, 0) << "first query: header only";
  ASSERT_NE(GetDIBits(dc, bmp, 0, 0, nullptr, &q, DIB_RGB_COLORS), 0);
  EXPECT_EQ(q.bmiColors[2].rgbRed, 3);
  EXPECT_EQ(q.bmiColors[2].rgbBlue, 1);
  // A device bitmap describes itself as 32-bit BI_RGB; a monochrome one has black and white.
  HBITMAP mono = CreateBitmap(9, 2, 1, 1, nullptr);
  std::memset(&q, 0, sizeof q);
  q.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  GetDIBits(dc, mono, 0, 0, nullptr, &q, DIB_RGB_COLORS);
  EXPECT_EQ(q.bmiHeader.biBitCount, 1);
  GetDIBits(dc, mono, 0, 0, nullptr, &q, DIB_RGB_COLORS);
  EXPECT_EQ(q.bmiColors[1].rgbGreen, 255);
  EXPECT_EQ(GetDIBits(dc, dc, 0, 0, nullptr, &q, DIB_RGB_COLORS), 0) << "a DC is no bitmap";
  DeleteDC(dc);
  DeleteObject(bmp);
  DeleteObject(mono);
}

TEST(GdiDib, BitfieldMasksComeWithTheSecondQuery) {
  BITMAPINFO made = Header(4, 4, 16, BI_BITFIELDS);
  const DWORD m565[3] = {0xF800, 0x07E0, 0x001F};
  std::memcpy(made.bmiColors, m565, sizeof m565);
  HBITMAP bmp = CreateDIBSection(0, &made, DIB_RGB_COLORS, nullptr, 0, 0);
  HDC dc = CreateCompatibleDC(0);
  BITMAPINFO q;
  std::memset(&q, 0, sizeof q);
  q.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  GetDIBits(dc, bmp, 0, 0, nullptr, &q, DIB_RGB_COLORS);
  EXPECT_EQ(q.bmiHeader.biCompression, BI_BITFIELDS);
  GetDIBits(dc, bmp, 0, 0, nullptr, &q, DIB_RGB_COLORS);
  DWORD got[3];
  std::memcpy(got, q.bmiColors, sizeof got);
  EXPECT_EQ(got[0], 0xF800u);
  EXPECT_EQ(got[1], 0x07E0u);
  EXPECT_EQ(got[2], 0x001Fu);
  DeleteDC(dc);
  DeleteObject(bmp);
}

TEST(GdiDib, ReadsPixelsTopDownOrBottomUp) {
  HDC screen = GetDC(GetDesktopWindow());
  HBITMAP bmp = CreateCompatibleBitmap(screen, 2, 2);
  ReleaseDC(GetDesktopWindow(), screen);
  With(bmp, [](HDC dc) {
    SetPixelV(dc, 0, 0, RGB(1, 2, 3));
    SetPixelV(dc, 1, 1, RGB(4, 5, 6));
  });
  HDC dc = CreateCompatibleDC(0);
  BITMAPINFO q = Header(2, -2, 32);
  std::vector<std::uint32_t> px(4, 0xDEADBEEF);
  EXPECT_EQ(GetDIBits(dc, bmp, 0, 2, px.data(), &q, DIB_RGB_COLORS), 2);
  EXPECT_EQ(px[0], 0x010203u);
  EXPECT_EQ(px[3], 0x040506u);
  q = Header(2, 2, 32);
  EXPECT_EQ(GetDIBits(dc, bmp, 0, 1, px.data(), &q, DIB_RGB_COLORS), 1) << "scan line 0 is the bottom row";
  EXPECT_EQ(px[1], 0x040506u);
  q = Header(2, 2, 24);
  std::vector<BYTE> rgb(16, 0);
  EXPECT_EQ(GetDIBits(dc, bmp, 1, 5, rgb.data(), &q, DIB_RGB_COLORS), 1);
  EXPECT_EQ(rgb[0], 3);  // top row, B first
  EXPECT_EQ(rgb[2], 1);
  DeleteDC(dc);
  DeleteObject(bmp);
}

}  // namespace
