#include "platform/window_system/form_window.h"
#include "platform/window_system/native_win.h"

#include "platform/runtime/windows_system_win.h"

#include <gtest/gtest.h>

#include <vector>

// The user's close (the close button's SC_CLOSE) and another program's WM_CLOSE (taskkill, a
// task manager) reach the handler as different reasons.
TEST(FormWindowWin, UserCloseAndAnotherProgramsCloseAreTold) {
  platform::FormWindow w("t", 100, 50);
  std::vector<int> reasons;
  w.SetCloseRequestHandler([&reasons](int reason) { reasons.push_back(reason); });
  w.Close();
  ::SendMessageW(w.Native().hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(reasons, (std::vector<int>{platform::FormWindow::kCloseByUser, platform::FormWindow::kCloseByOtherProgram}));
}
