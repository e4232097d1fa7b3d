#include "platform/notification_area/notification_area.h"
#include "platform/pictures/picture.h"

#include "platform/runtime/windows_system_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 32 x 32 picture as the program's: key column transparent, bars and frame opaque.
platform::Picture TwoBarPicture(std::uint32_t bar) {
  platform::Picture p(32, 32, 0xFF000000u);
  for (int y = 2; y <= 30; ++y)
    for (int x = 2; x <= 29; ++x) p.At(x, y) = x == 17 ? platform::kTransparent : bar;
  return p;
}

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
