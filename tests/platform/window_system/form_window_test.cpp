#include "platform/window_system/form_window.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/raster_graphics/surface_view.h"
#include "support/qt_app.h"

namespace {

void EnsureApp() { testing_qt::EnsureQtApp(); }

TEST(FormWindowTest, CloseRequestsGoToTheHandlerWhichDecides) {
  EnsureApp();
  platform::FormWindow w(100, 50);
  int calls = 0;
  w.closeHandler = [&calls](QCloseEvent* e) {
    ++calls;
    e->ignore();
  };
  w.show();
  EXPECT_FALSE(w.close());
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(w.isVisible());
  w.closeHandler = [](QCloseEvent* e) { e->accept(); };
  EXPECT_TRUE(w.close());
  EXPECT_FALSE(w.isVisible());
}

TEST(FormWindowTest, StateChangesAreReportedAndReadBack) {
  EnsureApp();
  platform::FormWindow w(100, 50);
  EXPECT_EQ(w.size(), QSize(100, 50));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  int changes = 0;
  w.stateChangedHandler = [&changes] { ++changes; };
  w.show();
  w.SetWindowState(platform::FormWindow::kMinimized);
  EXPECT_EQ(w.WindowState(), platform::FormWindow::kMinimized);
  w.SetWindowState(platform::FormWindow::kMaximized);
  EXPECT_EQ(w.WindowState(), platform::FormWindow::kMaximized);
  w.SetWindowState(platform::FormWindow::kNormal);
  EXPECT_EQ(w.WindowState(), platform::FormWindow::kNormal);
  EXPECT_EQ(changes, 3);
}

TEST(FormWindowTest, AMinimiseTheHandlerAnswersByHidingNeverReachesTheWindowSystem) {
  // Window managers iconify asynchronously: a window hidden while an iconify is under way
  // comes back minimised. So the toolkit only hears of the states of a shown window.
  EnsureApp();
  platform::FormWindow w(100, 50);
  w.stateChangedHandler = [&w] {
    if (w.WindowState() == platform::FormWindow::kMinimized) w.hide();
  };
  w.show();
  w.SetWindowState(platform::FormWindow::kMinimized);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.windowState() & Qt::WindowMinimized, Qt::WindowNoState);
  w.SetWindowState(platform::FormWindow::kNormal);
  w.show();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowState() & Qt::WindowMinimized, Qt::WindowNoState);
  // The user minimising through the window manager is reported, and hides it too.
  w.setWindowState(Qt::WindowMinimized);
  EXPECT_EQ(w.WindowState(), platform::FormWindow::kMinimized);
  EXPECT_FALSE(w.isVisible());
  // Shown again in the normal state, the toolkit is told so before the window maps.
  w.SetWindowState(platform::FormWindow::kNormal);
  w.show();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowState() & Qt::WindowMinimized, Qt::WindowNoState);
}

TEST(SurfaceViewTest, RepaintsFromTheSurfaceAndLetsGoOfIt) {
  EnsureApp();
  platform::PictureSurface s(20, 10, 0x000000);
  {
    platform::SurfaceView view(s);
    EXPECT_EQ(view.size(), QSize(20, 10));
    s.Line(2, 3, 6, 3, 0x0000FF);
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixel(4, 3) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shown.pixel(4, 4) & 0xFFFFFF, 0x000000u);
  }
  s.Cls();  // the view is gone: the surface must not call into it
}

}  // namespace
