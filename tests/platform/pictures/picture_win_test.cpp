#include "platform/pictures/picture_win.h"

#include <gtest/gtest.h>

#include "support/two_bar_picture.h"

#include <vector>

namespace {

using testing_pictures::TwoBarPicture;

// The icon the shell gets has the image's pixels: the same colours, transparent exactly where
// the image is.
TEST(SystemIcon, HasThePicturesPixels) {
  const platform::Picture image = TwoBarPicture(0xFFFE00FEu);
  HICON icon = platform::SystemIcon(image);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  HDC dc = ::GetDC(nullptr);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } bmi{};
  bmi.header.biSize = sizeof bmi.header;
  bmi.header.biWidth = 32;
  bmi.header.biHeight = -32;
  bmi.header.biPlanes = 1;
  bmi.header.biBitCount = 32;
  std::vector<std::uint32_t> colour(32 * 32);
  ASSERT_EQ(::GetDIBits(dc, info.hbmColor, 0, 32, colour.data(), reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS), 32);
  bmi.header.biBitCount = 1;
  std::vector<std::uint32_t> mask(32);  // one 32-bit row a line
  ASSERT_EQ(::GetDIBits(dc, info.hbmMask, 0, 32, mask.data(), reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS), 32);
  ::ReleaseDC(nullptr, dc);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t want = image.argb[y * 32 + x];
      const auto* row = reinterpret_cast<const std::uint8_t*>(&mask[y]);
      const bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      EXPECT_EQ(transparent, (want >> 24) == 0) << x << "," << y;
      if (!transparent) {
        EXPECT_EQ(colour[y * 32 + x] & 0xFFFFFFu, want & 0xFFFFFFu) << x << "," << y;
      }
    }
  }
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(icon);
  EXPECT_EQ(platform::SystemIcon(platform::Picture{}), nullptr);
}

}  // namespace
