#include "support/recording_notify_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::NOTIFYICONDATAA;
using platform::RecordingNotificationArea;

NOTIFYICONDATAA Record(std::uint32_t icon) {
  NOTIFYICONDATAA d{};
  d.cbSize = 88;
  d.hWnd = 42;
  d.uID = 1;
  d.uFlags = 7;
  d.uCallbackMessage = 512;
  d.hIcon = icon;
  return d;
}

TEST(RecordingNotificationArea, KeepsTheIconPixelsAfterTheIconIsDestroyed) {
  std::vector<std::uint32_t> px(32 * 32, 0xFF00FF00u);
  px[0] = 0;
  const gdi::HICON icon = gdi::CreateIconFromArgb(32, 32, px.data());
  ASSERT_NE(icon, 0u);
  RecordingNotificationArea area;
  const NOTIFYICONDATAA d = Record(icon);
  EXPECT_TRUE(area.Shell_NotifyIconA(platform::NIM_ADD, &d));
  gdi::DestroyIcon(icon);
  ASSERT_EQ(area.Requests().size(), 1u);
  const auto& r = area.Requests()[0];
  EXPECT_EQ(r.message, platform::NIM_ADD);
  EXPECT_EQ(r.data.hIcon, icon);
  ASSERT_TRUE(r.iconRead);
  EXPECT_EQ(r.icon.width, 32);
  EXPECT_EQ(r.icon.argb[0] >> 24, 0u);
  EXPECT_EQ(r.icon.argb[1], 0xFF00FF00u);
  EXPECT_TRUE(area.Shown());
}

TEST(RecordingNotificationArea, RecordsADeadIconAsUnreadAndTracksShownState) {
  RecordingNotificationArea area;
  const NOTIFYICONDATAA d = Record(0xDEAD);
  EXPECT_TRUE(area.Shell_NotifyIconA(platform::NIM_ADD, &d));
  EXPECT_FALSE(area.Requests()[0].iconRead);
  EXPECT_TRUE(area.Shell_NotifyIconA(platform::NIM_DELETE, &d));
  EXPECT_FALSE(area.Shown());
  area.SetResult(false);
  EXPECT_FALSE(area.Shell_NotifyIconA(platform::NIM_ADD, &d));
  EXPECT_FALSE(area.Shown());
  EXPECT_EQ(area.Requests().size(), 3u);
}

TEST(RecordingNotificationArea, FireDeliversWindowCallbackMessageAndMouse) {
  RecordingNotificationArea area;
  std::vector<std::uint32_t> got;
  area.SetCallback([&](std::uint32_t w, std::uint32_t m, std::uint32_t mouse) {
    got = {w, m, mouse};
  });
  const NOTIFYICONDATAA d = Record(0);
  area.Shell_NotifyIconA(platform::NIM_ADD, &d);
  area.Fire(515);
  EXPECT_EQ(got, (std::vector<std::uint32_t>{42, 512, 515}));
}

}  // namespace
