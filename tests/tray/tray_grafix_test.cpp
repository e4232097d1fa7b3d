// Bitmap-to-icon conversion: masks, copies of every kind, transparency and clean-up.
#include "tray/tray_grafix.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/raster_graphics/picture_surface.h"
#include "platform/runtime/runtime.h"

using namespace gdi;

namespace {

// A 32bpp screen-format bitmap filled from a function of (x, y).
template <typename F>
HBITMAP ScreenBitmap(int w, int h, F colour) {
  HDC screen = GetDC(GetDesktopWindow());
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(GetDesktopWindow(), screen);
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixelV(dc, x, y, colour(x, y));
  SelectObject(dc, old);
  DeleteDC(dc);
  return bmp;
}

COLORREF PixelOf(HBITMAP bmp, int x, int y) {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

IconImage Read(HICON icon) {
  IconImage image;
  EXPECT_TRUE(ReadIconImage(icon, &image));
  return image;
}

class TrayGrafixTest : public ::testing::Test {
 protected:
  void SetUp() override { before_ = LiveObjectCount(); }
  void TearDown() override { EXPECT_EQ(LiveObjectCount(), before_) << "objects leaked"; }
  std::size_t before_ = 0;
};

TEST_F(TrayGrafixTest, OnlyExactKeyPixelsBecomeTransparent) {
  HBITMAP bmp = ScreenBitmap(3, 1, [](int x, int) { return x == 0 ? 0xFF00FFu : x == 1 ? 0xFE00FEu : 0x123456u; });
  HICON icon = TrayGrafix::BitmapToIcon(bmp, 0xFF00FF);
  ASSERT_NE(icon, 0u);
  const IconImage image = Read(icon);
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 1);
  EXPECT_EQ(image.argb[0] >> 24, 0u);
  EXPECT_EQ(image.argb[1], 0xFFFE00FEu) << "a near-key colour stays opaque";
  EXPECT_EQ(image.argb[2], 0xFF563412u);
  DestroyIcon(icon);
  DeleteObject(bmp);
}

TEST_F(TrayGrafixTest, NoKeyPixelsGiveAnOpaqueCopyAllKeyPixelsAClearIcon) {
  HBITMAP plain = ScreenBitmap(4, 4, [](int x, int y) { return RGB(static_cast<BYTE>(x * 10), static_cast<BYTE>(y * 10), 7); });
  HBITMAP key = ScreenBitmap(4, 4, [](int, int) { return 0xFF00FFu; });
  HICON a = TrayGrafix::BitmapToIcon(plain, 0xFF00FF);
  HICON b = TrayGrafix::BitmapToIcon(key, 0xFF00FF);
  const IconImage ia = Read(a), ib = Read(b);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(ia.argb[y * 4 + x], 0xFF000000u | (x * 10u << 16) | (y * 10u << 8) | 7u);
      EXPECT_EQ(ib.argb[y * 4 + x], 0u) << "transparent and black under the mask";
    }
  DestroyIcon(a);
  DestroyIcon(b);
  DeleteObject(plain);
  DeleteObject(key);
}

TEST_F(TrayGrafixTest, IconIsIndependentOfItsSource) {
  HBITMAP bmp = ScreenBitmap(2, 2, [](int, int) { return 0x00FF00u; });
  HICON icon = TrayGrafix::BitmapToIcon(bmp, 0xFF00FF);
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  SetPixelV(dc, 0, 0, 0xFF00FF);  // redraw the source
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(Read(icon).argb[0], 0xFF00FF00u);
  DeleteObject(bmp);  // and delete it
  EXPECT_EQ(Read(icon).argb[3], 0xFF00FF00u);
  DestroyIcon(icon);
}

TEST_F(TrayGrafixTest, HandlesThatAreNoBitmapGiveNothing) {
  HDC dc = CreateCompatibleDC(0);
  EXPECT_EQ(TrayGrafix::BitmapToIcon(0, 0xFF00FF), 0u);
  EXPECT_EQ(TrayGrafix::BitmapToIcon(dc, 0xFF00FF), 0u);
  EXPECT_EQ(TrayGrafix::CopyBitmap(0, 1, 0, 0, HALFTONE), 0u);
  EXPECT_EQ(TrayGrafix::CopyBitmap(dc, 0, 0, 0, HALFTONE), 0u);
  DeleteDC(dc);
}

TEST_F(TrayGrafixTest, ABitmapHeldByAContextIsRefused) {
  HBITMAP bmp = ScreenBitmap(2, 2, [](int, int) { return 0u; });
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  EXPECT_EQ(TrayGrafix::CopyBitmap(bmp, 1, 0, 0, HALFTONE), 0u);
  EXPECT_EQ(TrayGrafix::BitmapToIcon(bmp, 0xFF00FF), 0u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
}

TEST_F(TrayGrafixTest, MakeMaskMarksKeyPixelsAndRestoresTheBackground) {
  HBITMAP bmp = ScreenBitmap(3, 2, [](int x, int y) { return x == y ? 0x0000FFu : 0xFFFFFFu; });
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  SetBkColor(dc, 0x445566);
  HBITMAP mask = TrayGrafix::MakeMask(dc, 1, 0, 2, 2, 0x0000FF);
  ASSERT_NE(mask, 0u);
  EXPECT_EQ(SetBkColor(dc, 0), 0x445566u) << "background colour restored";
  BITMAP bm{};
  GetObjectA(mask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidth, 2);
  EXPECT_EQ(PixelOf(mask, 0, 0), 0u);
  EXPECT_EQ(PixelOf(mask, 0, 1), 0xFFFFFFu) << "source (1, 1) is the key";
  EXPECT_EQ(PixelOf(mask, 1, 1), 0u);
  DeleteObject(mask);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
}

TEST_F(TrayGrafixTest, MakeMaskOfNoAreaCreatesNothing) {
  HDC dc = CreateCompatibleDC(0);
  const std::size_t live = LiveObjectCount();
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {5, -3}, {0, 0}}) {
    EXPECT_EQ(TrayGrafix::MakeMask(dc, 0, 0, w, h, 0xFF00FF), 0u);
    EXPECT_EQ(LiveObjectCount(), live);
  }
  DeleteDC(dc);
}

TEST_F(TrayGrafixTest, SameSizeCopyIsExactWhateverTheStretchMode) {
  HBITMAP bmp = ScreenBitmap(32, 32, [](int x, int y) { return RGB(static_cast<BYTE>(x), static_cast<BYTE>(y), 0); });
  HBITMAP copy = TrayGrafix::CopyBitmap(bmp, 1, 0, 0, 99 /* no such mode */);
  ASSERT_NE(copy, 0u);
  EXPECT_EQ(PixelOf(copy, 31, 5), RGB(31, 5, 0));
  BITMAP bm{};
  GetObjectA(copy, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(copy);
  DeleteObject(bmp);
}

TEST_F(TrayGrafixTest, NegativeSizesScaleWithTheGivenMode) {
  // Columns alternate black and white: halftone greys them, nearest keeps pure values.
  HBITMAP bmp = ScreenBitmap(32, 32, [](int x, int) { return x % 2 ? 0xFFFFFFu : 0u; });
  HBITMAP soft = TrayGrafix::CopyBitmap(bmp, 1, -20, -10, HALFTONE);
  HBITMAP hard = TrayGrafix::CopyBitmap(bmp, 1, -20, -10, COLORONCOLOR);
  ASSERT_NE(soft, 0u);
  ASSERT_NE(hard, 0u);
  BITMAP bm{};
  GetObjectA(soft, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 20);
  EXPECT_EQ(bm.bmHeight, 10);
  const COLORREF grey = PixelOf(soft, 0, 0);
  EXPECT_NE(grey, 0u);
  EXPECT_NE(grey, 0xFFFFFFu);
  const COLORREF pure = PixelOf(hard, 0, 0);
  EXPECT_TRUE(pure == 0u || pure == 0xFFFFFFu);
  DeleteObject(soft);
  DeleteObject(hard);
  DeleteObject(bmp);
}

// A DIB section of a given depth, compression and colour count, with a recognisable table.
HBITMAP MakeDib(int bpp, DWORD compression, DWORD clrUsed, const DWORD* masks = nullptr) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 6;
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bpp);
  info.bmiHeader.biCompression = compression;
  info.bmiHeader.biClrUsed = clrUsed;
  for (int i = 0; i < 256; ++i) info.bmiColors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 9, 0};
  if (masks) std::memcpy(info.bmiColors, masks, 12);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(0, &info, DIB_RGB_COLORS, &bits, 0, 0);
  EXPECT_NE(bits, nullptr);
  return bmp;
}

// The header and colours a DIB section reports through the two queries.
BITMAPINFO Describe(HBITMAP bmp) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  HDC dc = CreateCompatibleDC(0);
  EXPECT_NE(GetDIBits(dc, bmp, 0, 0, nullptr, &info, DIB_RGB_COLORS), 0);
  const DWORD used = info.bmiHeader.biClrUsed;
  GetDIBits(dc, bmp, 0, 0, nullptr, &info, DIB_RGB_COLORS);
  info.bmiHeader.biClrUsed = used;
  DeleteDC(dc);
  return info;
}

TEST_F(TrayGrafixTest, KindZeroOnDibSectionsKeepsTheirFormat) {
  const DWORD m565[3] = {0xF800, 0x07E0, 0x001F};
  struct Case {
    int bpp;
    DWORD compression;
    DWORD clrUsed;
    const DWORD* masks;
  };
  for (const Case c : {Case{1, BI_RGB, 2, nullptr}, Case{8, BI_RGB, 16, nullptr}, Case{16, BI_BITFIELDS, 0, m565},
                       Case{32, BI_RGB, 0, nullptr}}) {
    SCOPED_TRACE(c.bpp);
    HBITMAP src = MakeDib(c.bpp, c.compression, c.clrUsed, c.masks);
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ old = SelectObject(dc, src);
    SetPixelV(dc, 2, 1, 0x0000FF);  // nearest entry / colour of each format
    const COLORREF written = GetPixel(dc, 2, 1);
    SelectObject(dc, old);
    DeleteDC(dc);

    HBITMAP copy = TrayGrafix::CopyBitmap(src, 0, 0, 0, HALFTONE);
    ASSERT_NE(copy, 0u);
    BITMAP bm{};
    GetObjectA(copy, sizeof bm, &bm);
    EXPECT_NE(bm.bmBits, nullptr) << "a DIB section again";
    EXPECT_EQ(bm.bmBitsPixel, c.bpp);
    const BITMAPINFO a = Describe(src), b = Describe(copy);
    EXPECT_EQ(b.bmiHeader.biCompression, c.compression);
    EXPECT_EQ(b.bmiHeader.biClrUsed, c.clrUsed) << "colour count from the first query";
    EXPECT_EQ(std::memcmp(a.bmiColors, b.bmiColors, sizeof a.bmiColors), 0) << "table or masks copied";
    EXPECT_EQ(PixelOf(copy, 2, 1), written);
    DeleteObject(copy);
    DeleteObject(src);
  }
}

TEST_F(TrayGrafixTest, KindZeroOnADeviceBitmapGivesTheScreenFormat) {
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
  HBITMAP copy = TrayGrafix::CopyBitmap(mono, 0, 0, 0, HALFTONE);
  BITMAP bm{};
  GetObjectA(copy, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmBits, nullptr);
  DeleteObject(copy);
  DeleteObject(mono);
}

TEST_F(TrayGrafixTest, KindTwoOnADeviceBitmapAndOtherKinds) {
  HBITMAP bmp = ScreenBitmap(4, 4, [](int, int) { return 0x00FF00u; });
  HBITMAP dib = TrayGrafix::CopyBitmap(bmp, 2, 0, 0, HALFTONE);
  HBITMAP other = TrayGrafix::CopyBitmap(bmp, 7, 0, 0, HALFTONE);
  BITMAP bm{};
  GetObjectA(dib, sizeof bm, &bm);
  EXPECT_NE(bm.bmBits, nullptr);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(PixelOf(dib, 3, 3), 0x00FF00u);
  GetObjectA(other, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBits, nullptr) << "unknown kinds make a device bitmap";
  DeleteObject(dib);
  DeleteObject(other);
  DeleteObject(bmp);
}

TEST_F(TrayGrafixTest, ImageSizeOverflowRaisesAndReleasesEverything) {
  HBITMAP src = MakeDib(32, BI_RGB, 0);
  for (auto [w, h] : {std::pair{100000000, 1}, {1000, 10000000}, {INT_MIN, 1}}) {
    try {
      TrayGrafix::CopyBitmap(src, 2, w, h, HALFTONE);
      ADD_FAILURE() << "no overflow for " << w << " x " << h;
    } catch (const platform::RuntimeError& e) {
      EXPECT_EQ(e.Number(), platform::kErrOverflow);
    }
  }
  // The source is free again: it can be selected and copied.
  HBITMAP copy = TrayGrafix::CopyBitmap(src, 2, 0, 0, HALFTONE);
  EXPECT_NE(copy, 0u);
  DeleteObject(copy);
  DeleteObject(src);
}

}  // namespace
