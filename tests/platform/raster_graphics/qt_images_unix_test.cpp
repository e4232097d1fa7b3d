// Conversions of icons, pictures and surfaces to Qt images.
#include "platform/raster_graphics/qt_images_unix.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <vector>
#include "support/qt_app_unix.h"

namespace {

TEST(QtImages, IconKeepsItsTransparency) {
  const std::uint32_t px[2] = {0, 0xFF00FF00};
  const gdi::HICON icon = gdi::CreateIconFromArgb(2, 1, px);
  const QImage image = platform::IconToQImage(icon);
  gdi::DestroyIcon(icon);
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(image.pixel(1, 0), 0xFF00FF00u);
  EXPECT_TRUE(platform::IconToQImage(0).isNull());
}

TEST(QtImages, SurfaceAndPicture) {
  platform::PictureSurface s(3, 2, 0x0000FF);
  gdi::SetPixelV(s.hDC(), 2, 1, 0xFF0000);
  const QImage image = platform::SurfaceToQImage(s);
  EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(2, 1), 0xFF0000FFu);
  testing_qt::EnsureQtApp();
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    GTEST_SKIP() << "pixmaps need a GUI application";
  const QImage back = platform::PictureToPixmap(*s.Image()).toImage();
  EXPECT_EQ(back.pixel(2, 1), 0xFF0000FFu);
  EXPECT_EQ(back.pixel(1, 1), 0xFFFF0000u);
}

// QImage::pixel() reports RGB32 pixels as opaque whatever their top byte holds; compositors
// that honour that byte (Wayland) show a zero there as see-through, so check the stored words.
TEST(QtImages, OpaqueImagesStoreOpaqueWords) {
  testing_qt::EnsureQtApp();
  platform::PictureSurface s(4, 3, 0x808000);
  const auto allOpaque = [](const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if ((row[x] >> 24) != 0xFF) return false;
    }
    return true;
  };
  EXPECT_TRUE(allOpaque(platform::SurfaceToQImage(s)));
  for (std::uint32_t px : std::vector<std::uint32_t>(s.Pixels(), s.Pixels() + 12)) EXPECT_EQ(px >> 24, 0xFFu);
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    GTEST_SKIP() << "pixmaps need a GUI application";
  const QImage strip = platform::PictureToPixmap(*s.Image()).toImage();
  EXPECT_FALSE(strip.hasAlphaChannel());
  EXPECT_TRUE(allOpaque(strip.convertToFormat(QImage::Format_RGB32)));
}

}  // namespace
