// The tray host's display-independent parts: the reading of an XEmbed tray's clicks and the
// budgets of what callers on the bus ask.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/tray_host/request_budget.h"
#include "platform/tray_host/xembed_clicks.h"

namespace {

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
