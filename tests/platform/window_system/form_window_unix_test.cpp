#include "platform/window_system/form_window.h"

#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "platform/window_system/picture_view_unix.h"
#include "platform/window_system/native_unix.h"
#include "support/qt_app_unix.h"

namespace {

using platform::FormWindow;

void EnsureApp() { testing_qt::EnsureQtApp(); }

QWidget* Widget(const platform::Control& c) { return platform::WidgetOf<QWidget>(c); }

TEST(FormWindowTest, CloseRequestsGoToTheHandlerWhichDecides) {
  EnsureApp();
  FormWindow w("t", 100, 50);
  std::vector<int> reasons;
  w.SetCloseRequestHandler([&reasons](int reason) { reasons.push_back(reason); });
  w.Show();
  w.Close();
  EXPECT_EQ(reasons, std::vector<int>{FormWindow::kCloseByUser});
  EXPECT_TRUE(w.Visible());  // the handler did not hide it
  w.SetCloseRequestHandler([&w](int) { w.Hide(); });
  w.Close();
  EXPECT_FALSE(w.Visible());
}

TEST(FormWindowTest, StateChangesAreReportedAndReadBack) {
  EnsureApp();
  FormWindow w("t", 100, 50);
  EXPECT_EQ(Widget(w)->size(), QSize(100, 50));
  EXPECT_EQ(Widget(w)->minimumSize(), Widget(w)->maximumSize());  // never resized
  int changes = 0;
  w.SetResizeHandler([&changes] { ++changes; });
  w.Show();
  w.SetWindowState(FormWindow::kMinimized);
  EXPECT_EQ(w.WindowState(), FormWindow::kMinimized);
  w.SetWindowState(FormWindow::kMaximized);
  EXPECT_EQ(w.WindowState(), FormWindow::kMaximized);
  w.SetWindowState(FormWindow::kNormal);
  EXPECT_EQ(w.WindowState(), FormWindow::kNormal);
  EXPECT_EQ(changes, 3);
}

TEST(FormWindowTest, AMinimiseTheHandlerAnswersByHidingNeverReachesTheWindowSystem) {
  // Window managers iconify asynchronously: a window hidden while an iconify is under way
  // comes back minimised. So the toolkit only hears of the states of a shown window.
  EnsureApp();
  FormWindow w("t", 100, 50);
  QWidget* q = Widget(w);
  w.SetResizeHandler([&w] {
    if (w.WindowState() == FormWindow::kMinimized) w.Hide();
  });
  w.Show();
  w.SetWindowState(FormWindow::kMinimized);
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(q->windowState() & Qt::WindowMinimized, Qt::WindowNoState);
  w.SetWindowState(FormWindow::kNormal);
  w.Show();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(q->windowState() & Qt::WindowMinimized, Qt::WindowNoState);
  // The user minimising through the window manager is reported, and hides it too.
  q->setWindowState(Qt::WindowMinimized);
  EXPECT_EQ(w.WindowState(), FormWindow::kMinimized);
  EXPECT_FALSE(w.Visible());
  // Shown again in the normal state, the toolkit is told so before the window maps.
  w.SetWindowState(FormWindow::kNormal);
  w.Show();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(q->windowState() & Qt::WindowMinimized, Qt::WindowNoState);
}

TEST(FormWindowTest, ControlsTakeTheFocusInTheOrderTheyWereMadeAndGoWithTheForm) {
  EnsureApp();
  const platform::Picture picture(20, 10);
  QPointer<QWidget> button;
  {
    FormWindow w("t", 100, 50);
    w.AddLabel({0, 0, 10, 10}, "a");
    auto* first = w.AddPushButton({0, 20, 30, 20}, "first");
    w.AddPushButton({40, 20, 30, 20}, "second");
    w.AddPictureBox(0, 40, picture);
    button = Widget(*first);
    QWidget* focus = Widget(w)->nextInFocusChain();
    while (focus != Widget(w) && !(focus->focusPolicy() & Qt::TabFocus)) focus = focus->nextInFocusChain();
    EXPECT_EQ(focus, button.data());
  }
  EXPECT_TRUE(button.isNull());
}

TEST(PictureViewTest, ShowsThePicturesPixelsWhenToldTheyChanged) {
  EnsureApp();
  platform::Picture p(20, 10, platform::Opaque(0x000000));
  platform::PictureView view(p);
  EXPECT_EQ(view.size(), QSize(20, 10));
  p.Fill(2, 3, 4, 1, platform::Opaque(0xFF0000));
  view.update();
  const QImage shown = view.grab().toImage();
  EXPECT_EQ(shown.pixel(4, 3) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shown.pixel(4, 4) & 0xFFFFFF, 0x000000u);
}

}  // namespace
