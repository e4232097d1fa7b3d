// The shown window as the screen shows it: graphs, strips and button at their places. Under
// Xvfb (QT_QPA_PLATFORM=xcb) the pixels are grabbed from the X server; elsewhere the window
// is rendered offscreen. With ZELMARO_SCREENSHOT set, the picture is saved there as PNG.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "platform/pictures/picture_unix.h"
#include "platform/window_system/native_unix.h"
#include "support/qt_app_unix.h"
#include "window/form_controls.h"
#include "window/pictures.h"
#include "window/usage_graphs.h"
#include "window/usage_text.h"

namespace {

QImage ShowAndGrab(window::Form1Controls& c) {
  c.form->Show();
  c.form->WaitUntilExposed(5000);
  QApplication::processEvents();
  QWidget* form = platform::WidgetOf<QWidget>(*c.form);
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
    QApplication::sync();
    return form->screen()->grabWindow(form->winId()).toImage();
  }
  return form->grab().toImage();
}

std::uint32_t Rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

TEST(WindowScreenshotTest, GraphsStripsAndButtonWhereTheLayoutPutsThem) {
  testing_qt::EnsureQtApp();
  auto c = window::CreateForm1Controls({{"Blue", "Cyan", "Green", "Purple", "Red", "White", "Yellow"}, 2});
  platform::Int16 tick, graphY[2], prevY[2];
  window::GraphSetup(*c->pic1[0], *c->pic1[1], tick);
  for (int n = 0; n < 300; ++n) {
    const double cpu[2] = {50 + 45 * std::sin(n / 9.0), 20 + 15 * std::sin(n / 4.0)};
    for (int i = 0; i < 2; ++i) window::ScrollGraph(*c->pic1[i], graphY[i], prevY[i], cpu[i]);
    window::GridMarksStep(*c->pic1[0], *c->pic1[1], tick);
    window::ShowGraphs(*c);
    c->Label6->SetCaption(window::UsageText(cpu[0]));
    c->Label5->SetCaption(window::UsageText(cpu[1]));
  }
  c->cpu0avg->SetCaption(window::UsageText(48.235));
  c->cpu1avg->SetCaption(window::UsageText(19.5));
  c->Label2->SetCaption("00:02:30");

  const QImage shot = ShowAndGrab(*c);
  ASSERT_GE(shot.width(), 432);
  ASSERT_GE(shot.height(), 191);
  if (const char* path = std::getenv("ZELMARO_SCREENSHOT")) {
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(path), "PNG"));
  }

  const QImage strip7 = platform::ToQImage(window::ScaleStripPicture(7));
  for (int g = 0; g < 2; ++g) {
    const int top = window::kGraphTop[g];
    const std::uint32_t* px = c->pic1[g]->Image().argb.data();
    for (int y = 0; y < 50; ++y) {
      // Graph pixels right of the inner strip, up to and including the last column.
      for (int x = 7; x < 405; ++x) {
        ASSERT_EQ(Rgb(shot, 10 + x, top + y), px[y * 405 + x] & 0xFFFFFF) << g << " " << x << "," << y;
      }
      // The inner strip over the graph's first 7 columns, and the outer strip's visible
      // columns 415..421, both showing the 7-column strip.
      for (int x = 0; x < 7; ++x) {
        ASSERT_EQ(Rgb(shot, 10 + x, top + y), Rgb(strip7, x, y)) << g << " " << x << "," << y;
        ASSERT_EQ(Rgb(shot, 415 + x, top + y), Rgb(strip7, x, y)) << g << " " << x << "," << y;
      }
    }
  }

  // The button shows as the button draws itself.
  const QImage button = platform::WidgetOf<QWidget>(*c->BtnReSet)->grab().toImage();
  int same = 0;
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 81; ++x) same += Rgb(shot, 176 + x, 21 + y) == Rgb(button, x, y);
  }
  EXPECT_GT(same, 81 * 33 * 9 / 10);
  c->form->Hide();
}

}  // namespace
