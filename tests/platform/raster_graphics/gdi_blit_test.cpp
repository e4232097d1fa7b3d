// Block transfers: the colour/monochrome rules, AND with a mask, clipping and stretching.
#include <gtest/gtest.h>

#include "platform/raster_graphics/gdi.h"

using namespace gdi;

namespace {

// A memory DC holding a new bitmap; both freed at the end of the scope.
struct Canvas {
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bmp;
  HGDIOBJ old;
  Canvas(int w, int h, bool mono) {
    HDC screen = GetDC(GetDesktopWindow());
    bmp = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(GetDesktopWindow(), screen);
    old = SelectObject(dc, bmp);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  void Fill(COLORREF c) {
    BITMAP bm{};
    GetObjectA(bmp, sizeof bm, &bm);
    for (int y = 0; y < bm.bmHeight; ++y)
      for (int x = 0; x < bm.bmWidth; ++x) SetPixelV(dc, x, y, c);
  }
};

TEST(GdiBlit, ColourToMonoMarksTheSourceBackgroundColour) {
  Canvas src(3, 1, false), mask(3, 1, true);
  SetPixelV(src.dc, 0, 0, 0xFF00FF);
  SetPixelV(src.dc, 1, 0, 0xFE00FE);
  SetPixelV(src.dc, 2, 0, 0x000000);
  SetBkColor(src.dc, 0xFF00FF);
  SetBkColor(mask.dc, 0x123456);  // the destination's colours do not matter here
  ASSERT_EQ(BitBlt(mask.dc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(mask.dc, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(mask.dc, 1, 0), 0u) << "only the exact colour";
  EXPECT_EQ(GetPixel(mask.dc, 2, 0), 0u);
}

TEST(GdiBlit, MonoToColourUsesTheDestinationColours) {
  Canvas mask(2, 1, true), dst(2, 1, false);
  SetPixelV(mask.dc, 0, 0, 0xFFFFFF);
  SetPixelV(mask.dc, 1, 0, 0);
  SetBkColor(mask.dc, 0x00FF00);  // the source's colours do not matter here
  SetTextColor(mask.dc, 0x00FF00);
  SetBkColor(dst.dc, 0x0000FF);
  SetTextColor(dst.dc, 0xFF0000);
  ASSERT_EQ(BitBlt(dst.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), 0x0000FFu);
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), 0xFF0000u);
}

TEST(GdiBlit, AndWithAMaskBlackensMaskedPixelsOnly) {
  Canvas mask(2, 1, true), dst(2, 1, false);
  SetPixelV(mask.dc, 0, 0, 0xFFFFFF);
  dst.Fill(0x3366CC);
  SetTextColor(dst.dc, 0xFFFFFF);
  SetBkColor(dst.dc, 0);
  ASSERT_EQ(BitBlt(dst.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCAND), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), 0u);
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), 0x3366CCu);
}

// Rows that start and end inside a byte of the mask, across several whole bytes: the bits
// outside the transfer keep their values.
TEST(GdiBlit, MaskTransfersAtOffsetsInsideAByte) {
  constexpr COLORREF kKey = 0x00FF00, kOther = 0x102030;
  auto keyed = [](int x, int y) { return (x * 7 + y) % 3 == 0; };
  Canvas src(29, 2, false), mask(32, 2, true);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 29; ++x) SetPixelV(src.dc, x, y, keyed(x, y) ? kKey : kOther);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 32; ++x) SetPixelV(mask.dc, x, y, (x + y) % 2 ? 0xFFFFFF : 0);
  SetBkColor(src.dc, kKey);
  ASSERT_EQ(BitBlt(mask.dc, 3, 0, 21, 2, src.dc, 1, 0, SRCCOPY), 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool inside = x >= 3 && x < 24;
      const bool on = inside ? keyed(x - 2, y) : (x + y) % 2 != 0;
      ASSERT_EQ(GetPixel(mask.dc, x, y), on ? 0xFFFFFFu : 0u) << x << "," << y;
    }

  Canvas dst(30, 2, false);
  dst.Fill(0x3366CC);
  SetTextColor(dst.dc, 0xFFFFFF);
  SetBkColor(dst.dc, 0);
  ASSERT_EQ(BitBlt(dst.dc, 2, 0, 19, 2, mask.dc, 5, 0, SRCAND), 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool blackened = x >= 2 && x < 21 && GetPixel(mask.dc, x + 3, y) != 0;
      ASSERT_EQ(GetPixel(dst.dc, x, y), blackened ? 0u : 0x3366CCu) << x << "," << y;
    }
}

TEST(GdiBlit, ClipsToBothBitmapsWithNegativeOffsets) {
  Canvas src(4, 4, false), dst(4, 4, false);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) SetPixelV(src.dc, x, y, RGB(static_cast<BYTE>(x), static_cast<BYTE>(y), 1));
  dst.Fill(0xABCDEF);
  ASSERT_EQ(BitBlt(dst.dc, -1, 2, 10, 10, src.dc, 0, 0, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 2), RGB(1, 0, 1));
  EXPECT_EQ(GetPixel(dst.dc, 2, 3), RGB(3, 1, 1));
  EXPECT_EQ(GetPixel(dst.dc, 3, 3), 0xABCDEFu) << "source column 4 does not exist";
  EXPECT_EQ(GetPixel(dst.dc, 0, 1), 0xABCDEFu);
  ASSERT_EQ(BitBlt(dst.dc, 0, 0, 2, 2, src.dc, -1, -1, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), 0xABCDEFu);
  EXPECT_EQ(GetPixel(dst.dc, 1, 1), RGB(0, 0, 1));
}

TEST(GdiBlit, StretchHalftoneAveragesNearestPicks) {
  Canvas src(2, 2, false), dst(1, 1, false);
  SetPixelV(src.dc, 0, 0, RGB(200, 0, 0));
  SetPixelV(src.dc, 1, 0, RGB(0, 200, 0));
  SetPixelV(src.dc, 0, 1, RGB(0, 0, 200));
  SetPixelV(src.dc, 1, 1, RGB(200, 200, 200));
  SetStretchBltMode(dst.dc, HALFTONE);
  ASSERT_EQ(StretchBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 2, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(100, 100, 100));
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  ASSERT_EQ(StretchBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 2, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(200, 200, 200));
}

TEST(GdiBlit, StretchEnlarges) {
  Canvas src(2, 1, false), dst(4, 2, false);
  SetPixelV(src.dc, 0, 0, 1);
  SetPixelV(src.dc, 1, 0, 2);
  ASSERT_EQ(StretchBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, SRCCOPY), 1);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), 1u);
  EXPECT_EQ(GetPixel(dst.dc, 1, 1), 1u);
  EXPECT_EQ(GetPixel(dst.dc, 2, 0), 2u);
  EXPECT_EQ(GetPixel(dst.dc, 3, 1), 2u);
}

}  // namespace
