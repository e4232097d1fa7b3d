// The tray host's display-independent parts: crisp scaling of the picture, the reading of an
// XEmbed tray's clicks and the budgets of what callers on the bus ask.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "platform/tray_host/icon_scaling.h"
#include "platform/tray_host/request_budget.h"
#include "platform/tray_host/xembed_clicks.h"

namespace {

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

using enum platform::TrayGesture;

TEST(TrayClickClassifier, DoubleClickOpensSingleClickAndMiddleDoNothing) {
  platform::TrayClickClassifier c(400);
  EXPECT_EQ(c.Press(1, 1000), None);
  EXPECT_EQ(c.Release(1, 1050), None);
  EXPECT_EQ(c.Press(1, 1200), Activate);
  EXPECT_EQ(c.Release(1, 1250), None);
  EXPECT_EQ(c.Press(1, 1300), None);  // a third click is a new first click
  EXPECT_EQ(c.Press(1, 2000), None);  // too late for a pair
  EXPECT_EQ(c.Press(2, 2100), None);
  EXPECT_EQ(c.Press(1, 2200), None);  // the middle press broke the pair
  EXPECT_EQ(c.Press(1, 0xFFFFFF00u), None);
  EXPECT_EQ(c.Press(1, 0x00000010u), Activate);  // across the clock's wrap
}

TEST(TrayClickClassifier, RightReleaseAsksForTheMenuAndEachWheelNotchScrolls) {
  platform::TrayClickClassifier c(400);
  EXPECT_EQ(c.Press(3, 10), None);
  EXPECT_EQ(c.Release(3, 20), ContextMenu);
  EXPECT_EQ(c.Press(4, 30), ScrollUp);
  EXPECT_EQ(c.Release(4, 30), None);
  EXPECT_EQ(c.Press(5, 40), ScrollDown);
  EXPECT_EQ(c.Press(6, 50), ScrollLeft);
  EXPECT_EQ(c.Press(7, 60), ScrollRight);
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
