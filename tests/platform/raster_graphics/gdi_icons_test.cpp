// Icons: copies of colour and mask, ARGB icons and reading back.
#include <gtest/gtest.h>

#include "platform/raster_graphics/gdi.h"

using namespace gdi;

namespace {

TEST(GdiIcons, OwnCopiesOfColourAndMask) {
  const std::size_t before = LiveObjectCount();
  HDC screen = GetDC(GetDesktopWindow());
  HBITMAP colour = CreateCompatibleBitmap(screen, 2, 1);
  ReleaseDC(GetDesktopWindow(), screen);
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, colour);
  SetPixelV(dc, 0, 0, 0x0000FF);
  SetPixelV(dc, 1, 0, 0x00FF00);
  SelectObject(dc, mask);
  SetPixelV(dc, 1, 0, 0xFFFFFF);
  SelectObject(dc, old);

  ICONINFO info{-1, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, 0u);
  DeleteObject(colour);
  DeleteObject(mask);
  DeleteDC(dc);
  IconImage image;
  ASSERT_TRUE(ReadIconImage(icon, &image));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(image.argb[0], 0xFFFF0000u);
  EXPECT_EQ(image.argb[1] >> 24, 0u);
  EXPECT_EQ(DestroyIcon(icon), 1);
  EXPECT_EQ(DestroyIcon(icon), 0);
  EXPECT_FALSE(ReadIconImage(icon, &image));
  EXPECT_EQ(LiveObjectCount(), before);
}

TEST(GdiIcons, FromArgb) {
  const std::uint32_t px[2] = {0x00FF0000, 0x80123456};
  HICON icon = CreateIconFromArgb(2, 1, px);
  IconImage image;
  ASSERT_TRUE(ReadIconImage(icon, &image));
  EXPECT_EQ(image.argb[0], 0u) << "transparent pixels are black";
  EXPECT_EQ(image.argb[1], 0xFF123456u) << "any alpha but 0 is opaque";
  DestroyIcon(icon);
}

}  // namespace
