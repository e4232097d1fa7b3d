// The display-independent parts of the desktop notification area: crisp scaling, the icon
// state kept from requests, the tray's click reading and the callback queue.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <set>
#include <vector>

#include "platform/notification_area/callback_queue.h"
#include "platform/notification_area/xembed_clicks.h"
#include "platform/notification_area/icon_scaling.h"
#include "platform/notification_area/icon_state.h"
#include "platform/notification_area/request_budget.h"
#include "support/qt_app.h"

namespace {

using platform::NOTIFYICONDATAA;

constexpr std::uint32_t kClear = 0;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;

// A picture shaped like the tray's two bars: black frame, coloured bars, transparent tops.
std::vector<std::uint32_t> TwoBars() {
  std::vector<std::uint32_t> p(32 * 32, kBlack);
  for (int y = 2; y <= 30; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool bar = (x >= 2 && x <= 14) || (x >= 17 && x <= 29);
      if (!bar) continue;
      const bool top = (x <= 14) ? y < 12 : y < 25;
      p[y * 32 + x] = (top || x == 17) ? 0x00FF00FFu : kGreen;  // hidden colour behind alpha 0
    }
  return p;
}

TEST(ScaleIconCrisp, SameSizeIsUnchangedAndDoubleRepeatsEachPixel) {
  auto src = TwoBars();
  for (auto& p : src) if ((p >> 24) == 0) p = 0;
  EXPECT_EQ(platform::ScaleIconCrisp(src.data(), 32, 32, 32, 32), src);
  const auto big = platform::ScaleIconCrisp(src.data(), 32, 32, 64, 64);
  ASSERT_EQ(big.size(), 64u * 64u);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(big[y * 64 + x], src[(y / 2) * 32 + x / 2]) << x << "," << y;
}

TEST(ScaleIconCrisp, EverySizeUsesOnlySourceColoursAndOneTransparentValue) {
  const auto src = TwoBars();
  for (int size : platform::kTrayIconSizes) {
    const auto out = platform::ScaleIconCrisp(src.data(), 32, 32, size, size);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(size * size));
    std::set<std::uint32_t> colours(out.begin(), out.end());
    EXPECT_EQ(colours, (std::set<std::uint32_t>{kClear, kBlack, kGreen})) << size;
    // Frame corners stay black, the bottom of each bar stays coloured, the left bar's top clear.
    EXPECT_EQ(out[0], kBlack) << size;
    EXPECT_EQ(out[size * size - 1], kBlack) << size;
    EXPECT_EQ(out[(size * 28 / 32) * size + size / 4], kGreen) << size;
    EXPECT_EQ(out[(size / 8 + 1) * size + size / 4], kClear) << size;
  }
}

TEST(ScaleIconCrisp, BarEdgesStayStraightAtOddScales) {
  const auto src = TwoBars();
  for (int size : {22, 24, 48}) {
    const auto out = platform::ScaleIconCrisp(src.data(), 32, 32, size, size);
    // Within the left bar every column has its coloured part starting on the same row.
    int first = -1;
    for (int x = 0; x < size; ++x) {
      int start = -1;
      for (int y = 0; y < size; ++y)
        if (out[y * size + x] == kGreen) { start = y; break; }
      if (start < 0 || x >= size / 2) continue;
      if (first < 0) first = start;
      EXPECT_EQ(start, first) << "size " << size << " column " << x;
    }
  }
}

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

TEST(TrayClickClassifier, DoubleClickOpensSingleClickAndMiddleDoNothing) {
  platform::TrayClickClassifier c(400);
  EXPECT_EQ(c.Press(1, 1000), 0u);
  EXPECT_EQ(c.Release(1, 1050), 0u);
  EXPECT_EQ(c.Press(1, 1200), 515u);
  EXPECT_EQ(c.Release(1, 1250), 0u);
  EXPECT_EQ(c.Press(1, 1300), 0u);  // a third click is a new first click
  EXPECT_EQ(c.Press(1, 2000), 0u);  // too late for a pair
  EXPECT_EQ(c.Press(2, 2100), 0u);
  EXPECT_EQ(c.Press(1, 2200), 0u);  // the middle press broke the pair
  EXPECT_EQ(c.Press(1, 0xFFFFFF00u), 0u);
  EXPECT_EQ(c.Press(1, 0x00000010u), 515u);  // across the clock's wrap
}

TEST(TrayClickClassifier, RightReleaseOpensTheMenuPressDoesNot) {
  platform::TrayClickClassifier c(400);
  EXPECT_EQ(c.Press(3, 10), 0u);
  EXPECT_EQ(c.Release(3, 20), 517u);
  EXPECT_EQ(c.Press(4, 30), 0u);
  EXPECT_EQ(c.Release(4, 30), 0u);
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

// A flooding caller is refused alone; a flood of many callers gets no more than the table's
// budgets; a host that reads now and then keeps its place through such a flood.
TEST(CallerBudgets, AFloodingCallerLeavesOthersTheirBudgetAndManyCallersStayBounded) {
  using Clock = platform::RequestBudget::Clock;
  using std::chrono::milliseconds;
  const Clock::time_point t0 = Clock::now();
  platform::CallerBudgets budgets(20, 40);
  auto answered = [&](const std::string& caller, int asks, Clock::time_point at) {
    int n = 0;
    for (int i = 0; i < asks; ++i) n += budgets.Take(caller, at);
    return n;
  };
  EXPECT_EQ(answered(":1.9", 1000, t0), 40);
  EXPECT_EQ(answered(":1.5", 3, t0), 3);  // the host, while :1.9 is over its budget
  EXPECT_EQ(answered(":1.9", 100, t0 + milliseconds(500)), 10);  // refilled at 20 a second

  int total = 0;
  for (int c = 0; c < 200; ++c) total += answered(":2." + std::to_string(c), 100, t0 + milliseconds(600));
  EXPECT_EQ(total, static_cast<int>(platform::CallerBudgets::kCallers - 2 + 1) * 40);
  EXPECT_EQ(answered(":1.5", 1, t0 + milliseconds(700)), 1);

  // Places quiet for long enough go to new callers; the host, still reading, keeps its own.
  const auto later = t0 + platform::CallerBudgets::kQuiet + milliseconds(700);
  EXPECT_EQ(answered(":1.5", 1, later - milliseconds(100)), 1);
  EXPECT_EQ(answered(":3.1", 100, later), 40);
  for (int c = 0; c < 200; ++c) answered(":3." + std::to_string(c), 100, later);
  EXPECT_EQ(answered(":1.5", 40, later), 40);  // in its own place (the shared budget is spent)
}

}  // namespace
