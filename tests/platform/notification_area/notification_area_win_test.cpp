#include "platform/notification_area/notification_area.h"
#include "platform/pictures/picture.h"

#include "platform/runtime/windows_system_win.h"

#include <gtest/gtest.h>

#include "support/two_bar_picture.h"

#include <vector>

namespace {

using testing_pictures::TwoBarPicture;

// The area under the real shell: the icon is added, only a double-click and a right-button
// release come back, as Open and Menu, and the icon returns when the taskbar is made anew.
TEST(ShellNotificationArea, ShowsReportsRequestsAndAddsAgainForANewTaskbar) {
  using Request = platform::NotificationArea::Request;
  auto area = platform::OpenDesktopTray(nullptr, "");
  std::vector<Request> seen;
  area->SetRequestHandler([&seen](Request request) { seen.push_back(request); });
  EXPECT_TRUE(area->HostPresent());
  area->Show(TwoBarPicture(0xFF00FF00u), "Zelmaro by Quenlark");
  area->Show(TwoBarPicture(0xFFFF0000u), "Zelmaro by Quenlark");

  HWND window = ::FindWindowW(L"platform.NotificationArea", nullptr);
  ASSERT_NE(window, nullptr);
  for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP})
    ::SendMessageW(window, WM_APP + 1, 1, mouse);
  EXPECT_EQ(seen, (std::vector<Request>{Request::Open, Request::Menu}));

  // The shell forgets the icon (as a restarted Explorer has), then announces its new taskbar.
  ::NOTIFYICONDATAA ours{};  // the shell knows an icon by its window and number
  ours.cbSize = NOTIFYICONDATAA_V1_SIZE;
  ours.hWnd = window;
  ours.uID = 1;
  ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &ours));
  EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &ours));
  ::SendMessageW(window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &ours));

  area->Remove();
  EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &ours));
  ::SendMessageW(window, WM_APP + 1, 1, WM_LBUTTONDBLCLK);  // a removed icon takes no requests
  EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
