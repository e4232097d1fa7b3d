// The notification area's own logic: the icon state kept from requests and the callback queue.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <vector>

#include "platform/notification_area/callback_queue_unix.h"
#include "platform/notification_area/icon_state.h"
#include "support/qt_app_unix.h"

namespace {

using platform::NOTIFYICONDATAA;

constexpr std::uint32_t kGreen = 0xFF00FF00u;

class NotifyIconStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    green_ = std::vector<std::uint32_t>(32 * 32, kGreen);
    red_ = std::vector<std::uint32_t>(32 * 32, 0xFFFF0000u);
  }
  NOTIFYICONDATAA Record(gdi::HICON icon, const char* tip = "Tip") {
    NOTIFYICONDATAA d{};
    d.cbSize = 88;
    d.hWnd = 9;
    d.uID = 1;
    d.uFlags = 7;
    d.uCallbackMessage = 512;
    d.hIcon = icon;
    std::snprintf(d.szTip, sizeof d.szTip, "%s", tip);
    return d;
  }
  gdi::HICON Icon(const std::vector<std::uint32_t>& px) { return gdi::CreateIconFromArgb(32, 32, px.data()); }
  platform::NotifyIconState state_;
  std::vector<std::uint32_t> green_, red_;
  unsigned changes_ = 0;
};

TEST_F(NotifyIconStateTest, AddShowsWithIconTipAndCallback) {
  const gdi::HICON icon = Icon(green_);
  const auto d = Record(icon);
  ASSERT_TRUE(state_.Apply(platform::NIM_ADD, &d, &changes_));
  gdi::DestroyIcon(icon);
  EXPECT_EQ(changes_, platform::NotifyIconState::kShown | platform::NotifyIconState::kIcon |
                          platform::NotifyIconState::kTip);
  EXPECT_TRUE(state_.Shown());
  EXPECT_EQ(state_.Icon().argb, green_);
  EXPECT_EQ(state_.Tip(), "Tip");
  EXPECT_FALSE(state_.Apply(platform::NIM_ADD, &d, &changes_));  // already there
}

TEST_F(NotifyIconStateTest, ModifyWithSamePixelsOrTipChangesNothing) {
  const gdi::HICON a = Icon(green_), b = Icon(green_), c = Icon(red_);
  auto d = Record(a);
  state_.Apply(platform::NIM_ADD, &d, &changes_);
  d.hIcon = b;
  ASSERT_TRUE(state_.Apply(platform::NIM_MODIFY, &d, &changes_));
  EXPECT_EQ(changes_, platform::NotifyIconState::kNoChange);
  d.hIcon = c;
  ASSERT_TRUE(state_.Apply(platform::NIM_MODIFY, &d, &changes_));
  EXPECT_EQ(changes_, platform::NotifyIconState::kIcon);
  EXPECT_EQ(state_.Icon().argb, red_);
  for (auto h : {a, b, c}) gdi::DestroyIcon(h);
}

TEST_F(NotifyIconStateTest, ModifyOrDeleteBeforeAddFailAndDeleteHides) {
  auto d = Record(0);
  EXPECT_FALSE(state_.Apply(platform::NIM_MODIFY, &d, &changes_));  // nothing added yet
  EXPECT_FALSE(state_.Apply(platform::NIM_DELETE, &d, &changes_));
  ASSERT_TRUE(state_.Apply(platform::NIM_ADD, &d, &changes_));  // no readable icon: shown, no picture
  EXPECT_TRUE(state_.Icon().argb.empty());
  ASSERT_TRUE(state_.Apply(platform::NIM_DELETE, &d, &changes_));
  EXPECT_EQ(changes_, platform::NotifyIconState::kHidden);
  EXPECT_FALSE(state_.Shown());
}

void App() { testing_qt::EnsureQtApp(); }

TEST(TrayCallbackQueue, BurstIsDeliveredOnceAndLater) {
  App();
  std::vector<std::uint32_t> got;
  platform::TrayCallbackQueue q([&](std::uint32_t m) { got.push_back(m); });
  for (int i = 0; i < 40; ++i) q.Post(515);
  q.Post(517);
  EXPECT_TRUE(got.empty());  // nothing runs inside the caller
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<std::uint32_t>{515, 517}));
}

TEST(TrayCallbackQueue, NestedEventLoopDoesNotNestDeliveries) {
  App();
  std::vector<std::uint32_t> got;
  int depth = 0, maxDepth = 0;
  platform::TrayCallbackQueue* qp = nullptr;
  platform::TrayCallbackQueue q([&](std::uint32_t m) {
    got.push_back(m);
    maxDepth = std::max(maxDepth, ++depth);
    if (m == 517) {  // a modal menu: more requests arrive while it is open
      qp->Post(517);
      qp->Post(515);
      qp->Post(515);
      QCoreApplication::processEvents();
    }
    --depth;
  });
  qp = &q;
  q.Post(517);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(got, (std::vector<std::uint32_t>{517, 515}));
}

TEST(TrayCallbackQueue, RepeatsWithinTheQuietTimeAreOneRequest) {
  App();
  std::int64_t now = 1000;
  std::vector<std::uint32_t> got;
  platform::TrayCallbackQueue q([&](std::uint32_t m) { got.push_back(m); }, 300, [&] { return now; });
  q.Post(515);
  QCoreApplication::processEvents();
  now += 100;
  q.Post(515);  // the same gesture reported again
  q.Post(517);  // another request is not held back
  QCoreApplication::processEvents();
  now += 250;
  q.Post(515);  // a new gesture
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<std::uint32_t>{515, 517, 515}));
}

TEST(TrayCallbackQueue, DestroyedQueueDeliversNothing) {
  App();
  int calls = 0;
  {
    platform::TrayCallbackQueue q([&](std::uint32_t) { ++calls; });
    q.Post(515);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 0);
}

}  // namespace
