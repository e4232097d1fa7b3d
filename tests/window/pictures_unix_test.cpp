// The stored pictures against the installed application icon, read with the toolkit.
#include "window/pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "platform/pictures/picture_unix.h"

// The application icon that menus show (data/icons, drawn by scripts/make-app-icons.py) is the
// window icon at 32 pixels, transparency included.
TEST(Pictures, InstalledApplicationIconIsTheWindowIcon) {
  const QImage program = platform::ToQImage(window::WindowIconPicture()).convertToFormat(QImage::Format_ARGB32);
  const QImage installed = QImage(QString::fromUtf8(ZELMARO_TEST_DATA "/../../data/icons/hicolor/32x32/apps/zelmaro.png"))
                               .convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(installed.size(), QSize(32, 32));
  ASSERT_EQ(program.size(), QSize(32, 32));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const QRgb a = program.pixel(x, y), b = installed.pixel(x, y);
      // Fully transparent pixels match whatever colour they carry.
      if (qAlpha(a) == 0 && qAlpha(b) == 0) continue;
      ASSERT_EQ(a, b) << "at " << x << "," << y;
    }
}
