// The sampling tick, the averages and the reset, driven through Form1's handlers.
#include <gtest/gtest.h>

#include "form1_harness.h"
#include "window/form_controls.h"
#include "window/usage_text.h"

namespace {

class Form1Tick : public ::testing::Test {
 protected:
  void Start(int cpus = 2) {
    h = std::make_unique<Form1Harness>(cpus);
    f = &h->Load();
    ASSERT_TRUE(h->messages.empty());
  }
  void Tick(const std::vector<double>& usage) {
    h->SetReadings(usage);
    f->Timer1_Timer();
  }
  std::string Text(const platform::Label* l) { return l->Caption(); }
  std::unique_ptr<Form1Harness> h;
  Form1* f = nullptr;
};

TEST_F(Form1Tick, OpeningTheWindowShowsTheLatestReadingsAndGraphsSampledWhileHidden) {
  Start();
  Tick({30, 40});
  Tick({55, 75});
  f->ShowAvgUsage_Click();
  EXPECT_EQ(Text(f->Controls().Label6), window::UsageText(55));
  EXPECT_EQ(Text(f->Controls().Label5), window::UsageText(75));
  // The segment from 30 % up to 55 % stands in the last columns; the first tick's segment
  // (from row 50, below the visible rows) one column further left is out of sight.
  const auto* px = f->Controls().pic1[0]->Image().argb.data();
  auto green = [px](int x, int y) { return (px[y * 405 + x] & 0xFFFFFF) == 0x00FF00u; };
  EXPECT_TRUE(green(403, 35));  // start of the newest segment, the row of 30 %
  EXPECT_TRUE(green(404, 23));  // it climbs through column 404 towards the row of 55 %
  EXPECT_TRUE(green(402, 49));  // the segment before, from 0 % up to 30 %
  // Shown, each tick draws at once.
  Tick({10, 20});
  EXPECT_EQ(Text(f->Controls().Label6), window::UsageText(10));
}

// A reading not yet valid (counters that went back) or failed (a source that vanished or
// broke) adds nothing to the sums, but the tick counts, the bar stays full and the graph and
// label show 0 once the window opens; sampling goes on.
TEST_F(Form1Tick, InvalidReadingsAddNothingButStillCountAndReachTheGraph) {
  Start();
  Tick({50, 50});
  h->usage.usage[0] = {0, platform::UsageStatus::NotYetValid};
  f->Timer1_Timer();
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(0), 50);
  EXPECT_EQ(f->Sampler().Ticks(), 2);
  const auto& icon = h->tray->Pictures().back().picture;
  EXPECT_EQ(icon.argb[2 * 32 + 5], 0xFF00FF00u);
  f->ShowAvgUsage_Click();
  EXPECT_EQ(Text(f->Controls().Label6), window::UsageText(0));
  h->usage.usage[0] = h->usage.usage[1] = {0, platform::UsageStatus::Failed};
  f->Timer1_Timer();
  EXPECT_EQ(f->Sampler().Ticks(), 3);
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(0), 50);
  EXPECT_TRUE(f->Controls().Timer1->Enabled());
  Tick({20, 20});
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(0), 70);
  EXPECT_TRUE(h->messages.empty());
}

TEST_F(Form1Tick, OneProcessorLeavesTheSecondSumAtZero) {
  Start(1);
  Tick({40});
  Tick({60});
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(0), 100);
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(1), 0);
  EXPECT_EQ(f->Sampler().Ticks(), 2);
  f->ShowAvgUsage_Click();
  Tick({10});
  EXPECT_EQ(Text(f->Controls().cpu1avg), window::UsageText(0));
}

TEST_F(Form1Tick, AResetBetweenTicksRestartsSumsAndCount) {
  Start();
  Tick({90, 90});
  Tick({90, 90});
  f->BtnReSet_Click();
  EXPECT_EQ(f->Sampler().Ticks(), 0);
  EXPECT_EQ(Text(f->Controls().Label2), "00:00:00");
  EXPECT_EQ(Text(f->Controls().cpu0avg), window::UsageText(0));
  EXPECT_TRUE(f->Controls().Timer1->Enabled());
  Tick({10, 20});
  EXPECT_EQ(f->Sampler().Ticks(), 1);
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(0), 10);
  EXPECT_DOUBLE_EQ(f->Sampler().Sum(1), 20);
}

TEST_F(Form1Tick, AveragesFollowOnlyWhileTheWindowIsOpenAndCoverEveryTickSinceTheReset) {
  Start();
  const std::string before = Text(f->Controls().cpu0avg);
  Tick({20, 0});
  Tick({40, 0});
  EXPECT_EQ(Text(f->Controls().cpu0avg), before);  // hidden: nothing formatted
  f->ShowAvgUsage_Click();
  EXPECT_TRUE(f->Controls().form->Visible());
  Tick({60, 0});
  EXPECT_EQ(Text(f->Controls().cpu0avg), window::UsageText(40));
  EXPECT_EQ(Text(f->Controls().cpu1avg), window::UsageText(0));
}

TEST_F(Form1Tick, TheClockShowsTimeSinceTheResetModulo24Hours) {
  Start();
  f->ShowAvgUsage_Click();
  h->mono += 25 * 3600;
  Tick({1, 1});
  EXPECT_EQ(Text(f->Controls().Label2), "01:00:00");
  h->mono += 59 * 60 + 59;
  Tick({1, 1});
  EXPECT_EQ(Text(f->Controls().Label2), "01:59:59");
}

TEST_F(Form1Tick, TheIconFollowsTheReadingsAndTheChosenColour) {
  Start();
  Tick({50, 0});
  const auto& icon = h->tray->Pictures().back().picture;
  EXPECT_EQ(icon.argb[15 * 32 + 5] >> 24, 0u);     // above the left bar's top: transparent
  EXPECT_EQ(icon.argb[16 * 32 + 5], 0xFF00FF00u);  // its top row is coloured
  EXPECT_EQ(icon.argb[30 * 32 + 20] >> 24, 0u);    // the right bar is empty
  f->mnuCOLOR_Click(platform::Int16(4));          // Red, while the timer runs: stored
  Tick({100, 100});
  const auto& red = h->tray->Pictures().back().picture;
  EXPECT_EQ(red.argb[2 * 32 + 5], 0xFFFF0000u);
  EXPECT_EQ(red.argb[2 * 32 + 20], 0xFFFF0000u);
  // Stored off the user-interface thread where the store writes a file, soon after.
  EXPECT_TRUE(Within2s([this] { return h->StoredColour() == "4"; })) << h->StoredColour();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f->Controls().mnuCOLOR[i]->Checked(), i == 4) << i;
}

TEST_F(Form1Tick, AChosenColourSurvivesARestart) {
  Start();
  f->mnuCOLOR_Click(platform::Int16(6));
  f->mnuExit_Click();
  h->form.reset();
  Form1& again = h->Load();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(again.Controls().mnuCOLOR[i]->Checked(), i == 6) << i;
  const auto& icon = h->tray->Pictures().back().picture;
  EXPECT_EQ(icon.argb[2 * 32 + 5], 0xFFFFFF00u);  // yellow
}

}  // namespace
