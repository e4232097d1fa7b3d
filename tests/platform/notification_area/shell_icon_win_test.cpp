#include "platform/notification_area/shell_icon_win.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/notification_area/desktop_tray.h"
#include "platform/raster_graphics/gdi.h"

namespace {

// A 32 x 32 image as the program's: magenta key column transparent, bars and frame opaque.
gdi::IconImage TwoBarImage(std::uint32_t bar) {
  gdi::IconImage image{32, 32, std::vector<std::uint32_t>(32 * 32, 0xFF000000u)};
  for (int y = 2; y <= 30; ++y)
    for (int x = 2; x <= 29; ++x) image.argb[y * 32 + x] = x == 17 ? 0x00000000u : bar;
  return image;
}

// The program's record, as it fills it at start-up.
platform::NOTIFYICONDATAA ProgramRecord(gdi::HICON icon) {
  platform::NOTIFYICONDATAA r{};
  r.cbSize = 88;
  r.hWnd = 0x1234;
  r.uID = 1;
  r.uFlags = 7;
  r.uCallbackMessage = 512;
  r.hIcon = icon;
  std::memset(r.szTip, ' ', sizeof r.szTip);
  std::memcpy(r.szTip, "Zelmaro by Quenlark", 20);
  return r;
}

}  // namespace

TEST(ShellRecord, FirstVersionInTheSystemsLayoutWithTheTipEnded) {
  HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x5678));
  HICON icon = reinterpret_cast<HICON>(static_cast<std::intptr_t>(0x9ABC));
  const ::NOTIFYICONDATAA r = platform::ShellRecord(window, WM_APP + 1, 1, 0xFF, icon, "Zelmaro by Quenlark");
  EXPECT_EQ(r.cbSize, offsetof(::NOTIFYICONDATAA, szTip) + 64);
  EXPECT_EQ(r.hWnd, window);
  EXPECT_EQ(r.uID, 1u);
  EXPECT_EQ(r.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(r.uCallbackMessage, static_cast<UINT>(WM_APP + 1));
  EXPECT_EQ(r.hIcon, icon);
  EXPECT_STREQ(r.szTip, "Zelmaro by Quenlark");
  const ::NOTIFYICONDATAA full = platform::ShellRecord(window, 0, 1, 0, nullptr, std::string(64, 'x'));
  EXPECT_EQ(std::strlen(full.szTip), 63u);
}

// The icon the shell gets has the image's pixels: the same colours, transparent exactly where
// the image is.
TEST(ShellIcon, SystemIconHasTheImagesPixels) {
  const gdi::IconImage image = TwoBarImage(0xFFFE00FEu);
  HICON icon = platform::SystemIconFromImage(image);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  HDC dc = ::GetDC(nullptr);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } bmi{};
  bmi.header.biSize = sizeof bmi.header;
  bmi.header.biWidth = 32;
  bmi.header.biHeight = -32;
  bmi.header.biPlanes = 1;
  bmi.header.biBitCount = 32;
  std::vector<std::uint32_t> colour(32 * 32);
  ASSERT_EQ(::GetDIBits(dc, info.hbmColor, 0, 32, colour.data(), reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS), 32);
  bmi.header.biBitCount = 1;
  std::vector<std::uint32_t> mask(32);  // one 32-bit row a line
  ASSERT_EQ(::GetDIBits(dc, info.hbmMask, 0, 32, mask.data(), reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS), 32);
  ::ReleaseDC(nullptr, dc);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t want = image.argb[y * 32 + x];
      const auto* row = reinterpret_cast<const std::uint8_t*>(&mask[y]);
      const bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      EXPECT_EQ(transparent, (want >> 24) == 0) << x << "," << y;
      if (!transparent) {
        EXPECT_EQ(colour[y * 32 + x] & 0xFFFFFFu, want & 0xFFFFFFu) << x << "," << y;
      }
    }
  }
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(icon);
  EXPECT_EQ(platform::SystemIconFromImage(gdi::IconImage{}), nullptr);
}

// The area under the real shell: the program's record is accepted, its callbacks come back with
// the program's own window and message, and the icon returns when the taskbar is made anew.
TEST(ShellNotificationArea, AddsReportsCallbacksAndAddsAgainForANewTaskbar) {
  const gdi::IconImage image = TwoBarImage(0xFF00FF00u);
  const gdi::HICON icon = gdi::CreateIconFromArgb(32, 32, image.argb.data());
  auto area = platform::OpenDesktopTray(nullptr, "").area;
  std::vector<std::uint32_t> seen;
  area->SetCallback([&seen](std::uint32_t hWnd, std::uint32_t message, std::uint32_t mouse) {
    EXPECT_EQ(hWnd, 0x1234u);
    EXPECT_EQ(message, 512u);
    seen.push_back(mouse);
  });
  platform::NOTIFYICONDATAA record = ProgramRecord(icon);
  ASSERT_TRUE(area->Shell_NotifyIconA(NIM_ADD, &record));
  EXPECT_TRUE(area->Shell_NotifyIconA(NIM_MODIFY, &record));
  EXPECT_FALSE(area->Shell_NotifyIconA(NIM_ADD, &record));  // already there

  HWND window = ::FindWindowW(L"platform.NotificationArea", nullptr);
  ASSERT_NE(window, nullptr);
  for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP})
    ::SendMessageW(window, WM_APP + 1, 1, mouse);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{WM_LBUTTONDBLCLK, WM_RBUTTONUP}));

  // The shell forgets the icon (as a restarted Explorer has), then announces its new taskbar.
  ::NOTIFYICONDATAA ours{};
  ours.cbSize = NOTIFYICONDATAA_V1_SIZE;
  ours.hWnd = window;
  ours.uID = 1;
  ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &ours));
  EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &ours));
  ::SendMessageW(window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &ours));

  EXPECT_TRUE(area->Shell_NotifyIconA(NIM_DELETE, &record));
  EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &ours));
  area.reset();
  gdi::DestroyIcon(icon);
}
