#include "platform/pictures/picture_unix.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureToQImage, KeepsEveryPixelAndItsTransparency) {
  platform::Picture p(2, 2, platform::Opaque(0x00FF00));
  p.At(1, 0) = platform::kTransparent;
  p.At(0, 1) = platform::Opaque(0xFE00FE);
  const QImage image = platform::ToQImage(p);
  ASSERT_EQ(image.size(), QSize(2, 2));
  EXPECT_EQ(image.pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
  EXPECT_EQ(image.pixel(0, 1), 0xFFFE00FEu);
  EXPECT_TRUE(platform::ToQImage(platform::Picture{}).isNull());
}

}  // namespace
