// Object lifetimes, selection rules and bitmap descriptions of the software raster layer.
#include <gtest/gtest.h>

#include "platform/raster_graphics/gdi.h"

using namespace gdi;

namespace {

TEST(GdiObjects, SelectionRulesAndLifetimes) {
  const std::size_t before = LiveObjectCount();
  HDC a = CreateCompatibleDC(0);
  HDC b = CreateCompatibleDC(0);
  HBITMAP bmp = CreateBitmap(8, 8, 1, 1, nullptr);
  ASSERT_NE(a, 0u);
  ASSERT_NE(bmp, 0u);
  EXPECT_EQ(LiveObjectCount(), before + 3);

  const HGDIOBJ stock = SelectObject(a, bmp);
  EXPECT_NE(stock, 0u) << "a fresh memory DC holds the stock bitmap";
  EXPECT_EQ(SelectObject(b, bmp), 0u) << "a bitmap is held by one DC at a time";
  EXPECT_EQ(DeleteObject(bmp), 0) << "a selected bitmap cannot be deleted";
  EXPECT_EQ(SelectObject(a, stock), bmp);
  EXPECT_NE(SelectObject(b, bmp), 0u) << "released bitmaps can move to another DC";

  // Deleting the DC releases the bitmap, which survives.
  EXPECT_EQ(DeleteDC(b), 1);
  EXPECT_EQ(DeleteObject(bmp), 1);
  EXPECT_EQ(DeleteObject(bmp), 0) << "a stale handle is no object";
  EXPECT_EQ(DeleteDC(a), 1);
  EXPECT_EQ(DeleteDC(a), 0);
  EXPECT_EQ(LiveObjectCount(), before);
}

TEST(GdiObjects, StaleHandlesAreNotConfusedWithRecycledSlots) {
  HBITMAP first = CreateBitmap(4, 4, 1, 1, nullptr);
  ASSERT_EQ(DeleteObject(first), 1);
  HBITMAP second = CreateBitmap(4, 4, 1, 1, nullptr);
  EXPECT_NE(first, second);
  BITMAP bm{};
  EXPECT_EQ(GetObjectA(first, sizeof bm, &bm), 0);
  EXPECT_EQ(GetObjectA(second, sizeof bm, &bm), static_cast<int>(sizeof bm));
  DeleteObject(second);
}

TEST(GdiObjects, CompatibleBitmapFollowsTheContextFormat) {
  HDC mem = CreateCompatibleDC(0);
  HBITMAP mono = CreateCompatibleBitmap(mem, 5, 3);
  HDC screen = GetDC(GetDesktopWindow());
  HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
  ReleaseDC(GetDesktopWindow(), screen);
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(mono, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidth, 5);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmBits, nullptr);
  ASSERT_EQ(GetObjectA(colour, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmBits, nullptr);
  EXPECT_EQ(GetDeviceBitsPixel(mem), 1);
  SelectObject(mem, colour);
  EXPECT_EQ(GetDeviceBitsPixel(mem), 32);
  EXPECT_EQ(GetObjectA(colour, sizeof bm - 1, &bm), 0) << "record too small";
  EXPECT_EQ(GetObjectA(mem, sizeof bm, &bm), 0) << "a DC is no bitmap";
  EXPECT_EQ(GetObjectA(0, sizeof bm, &bm), 0);
  DeleteDC(mem);
  DeleteObject(mono);
  DeleteObject(colour);
}

TEST(GdiObjects, InvalidCreationsMakeNothing) {
  const std::size_t before = LiveObjectCount();
  EXPECT_EQ(CreateBitmap(0, 4, 1, 1, nullptr), 0u);
  EXPECT_EQ(CreateBitmap(4, -1, 1, 1, nullptr), 0u);
  EXPECT_EQ(CreateBitmap(4, 4, 2, 1, nullptr), 0u);
  EXPECT_EQ(CreateBitmap(100000, 100000, 1, 1, nullptr), 0u);
  EXPECT_EQ(CreateCompatibleDC(12345), 0u);
  EXPECT_EQ(CreateCompatibleBitmap(0, 4, 4), 0u);
  EXPECT_EQ(LiveObjectCount(), before);
}

}  // namespace
