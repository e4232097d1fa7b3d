// The two-bar pictures, pixel for pixel.
#include "tray/two_bar_pictures.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<std::uint32_t, int> Histogram(const platform::Picture& p) {
  std::map<std::uint32_t, int> h;
  for (std::uint32_t v : p.argb) ++h[v];
  return h;
}

TEST(TwoBarPictures, Coloured) {
  const platform::Picture p = tray::ColouredBarsPicture();
  ASSERT_EQ(p.width, 32);
  ASSERT_EQ(p.height, 32);
  EXPECT_EQ(Histogram(p), (std::map<std::uint32_t, int>{{0xFF000000, 270}, {0xFFFFFFFF, 725}, {0xFFFF00FF, 29}}));
  EXPECT_EQ(p.At(17, 2), 0xFFFF00FFu);
  EXPECT_EQ(p.At(18, 2), 0xFFFFFFFFu);
  EXPECT_EQ(p.At(14, 30), 0xFFFFFFFFu);
  EXPECT_EQ(p.At(15, 30), 0xFF000000u);
}

TEST(TwoBarPictures, BlankRepeatsItsLeftHalf) {
  const platform::Picture p = tray::BlankBarsPicture();
  EXPECT_EQ(Histogram(p), (std::map<std::uint32_t, int>{{0xFF000000, 270}, {0xFFFF00FF, 754}}));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 15; ++x) EXPECT_EQ(p.At(x, y), p.At(x + 15, y)) << x << "," << y;
}

}  // namespace
