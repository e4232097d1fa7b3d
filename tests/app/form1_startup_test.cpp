// Start-up as the user meets it: the window hidden in the tray, the first icon, the refusals.
#include <gtest/gtest.h>

#include "form1_harness.h"
#include "window/form_controls.h"

namespace {

constexpr std::uint32_t kGreen = 0xFF00FF00;

std::uint32_t Pixel(const platform::Picture& icon, int x, int y) { return icon.At(x, y); }

TEST(Form1Startup, EndsHiddenInTheTrayWithTheComposedIconAndTheTimerRunning) {
  Form1Harness h;
  Form1& f = h.Load();
  ASSERT_TRUE(h.messages.empty());
  EXPECT_FALSE(f.Unloaded());
  EXPECT_FALSE(f.Controls().form->Visible());
  EXPECT_EQ(f.WindowState(), 1);
  EXPECT_TRUE(f.Controls().Timer1->Enabled());
  EXPECT_EQ(f.Controls().Timer1->Interval(), 500);
  EXPECT_EQ(f.Sampler().Ticks(), 0);  // the hand-made tick never enters the averages
  EXPECT_EQ(f.Sampler().Processors(), 2);

  // First the window's own icon, then the first composed one, both with the fixed tooltip.
  const auto& shown = h.tray->Pictures();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].picture, f.Controls().windowIcon);
  EXPECT_EQ(shown[0].tooltip, "Zelmaro by Quenlark");
  EXPECT_EQ(shown[1].tooltip, "Zelmaro by Quenlark");
  // The first collection gives no rate: both bars stay full, in the default green.
  const platform::Picture& icon = shown[1].picture;
  ASSERT_EQ(icon.width, 32);
  EXPECT_EQ(Pixel(icon, 5, 2), kGreen);
  EXPECT_EQ(Pixel(icon, 20, 2), kGreen);
  EXPECT_EQ(Pixel(icon, 17, 20), 0u);  // the right bar's first column is transparent
  EXPECT_EQ(Pixel(icon, 0, 0), 0xFF000000u);
  // Green is ticked, and nothing is written while starting.
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f.Controls().mnuCOLOR[i]->Checked(), i == 2) << i;
  EXPECT_EQ(h.StoredColour(), "none");
}

TEST(Form1Startup, ASecondInstanceIsRefusedWhileTheFirstKeepsRunning) {
  Form1Harness h;
  Form1& first = h.Load();
  auto* firstTray = h.tray;
  Form1Harness h2(2, &h);
  Form1& second = h2.Load();
  ASSERT_EQ(h2.messages.size(), 1u);
  EXPECT_EQ(h2.messages[0].text, "A copy of Zelmaro is already running!");
  EXPECT_EQ(h2.messages[0].kind, platform::MessageKind::Information);
  EXPECT_EQ(h2.messages[0].title, "Zelmaro");
  EXPECT_TRUE(second.Unloaded());
  EXPECT_EQ(second.ExitStatus(), 1);
  EXPECT_TRUE(h2.tray->Pictures().empty());
  EXPECT_FALSE(second.Controls().form->Visible());
  EXPECT_FALSE(first.Unloaded());
  EXPECT_TRUE(first.Controls().Timer1->Enabled());
  EXPECT_TRUE(firstTray->IsShown());
  EXPECT_EQ(firstTray->Removals(), 0);
}

TEST(Form1Startup, AnUnreadableUsageSourceShowsTheServiceMessage) {
  Form1Harness h;
  h.usage.opens = false;
  Form1& f = h.Load();
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, "Windows performance service disabled or broken!");
  EXPECT_EQ(h.messages[0].kind, platform::MessageKind::Error);
  EXPECT_TRUE(f.Unloaded());
  EXPECT_EQ(f.ExitStatus(), 1);
  EXPECT_TRUE(h.tray->Pictures().empty());
  EXPECT_FALSE(f.Controls().form->Visible());
}

TEST(Form1Startup, NoReadingOfTheLastProcessorShowsTheDualCoreMessage) {
  Form1Harness h;
  h.usage.watches = false;
  Form1& f = h.Load();
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, "Requires Dual Core CPU! Usage query failed!");
  EXPECT_EQ(h.messages[0].kind, platform::MessageKind::Information);
  EXPECT_EQ(f.ExitStatus(), 1);
}

TEST(Form1Startup, TheStoredColourIsRestoredAndABadOneFallsBackToGreenUntouched) {
  Form1Harness h;
  struct Case {
    const char* stored;
    int ticked;
  } cases[] = {{"6", 6}, {"abc", 2}, {"7", 2}};  // which texts are colours: the tray's tests
  for (const auto& c : cases) {
    h.StoreColour(c.stored);
    auto f = h.Make();
    f->Form_Load();
    ASSERT_FALSE(f->Unloaded()) << c.stored;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(f->Controls().mnuCOLOR[i]->Checked(), i == c.ticked) << c.stored;
    EXPECT_EQ(h.StoredColour(), c.stored);
    f->Close(Form1::kCloseByCode);
  }
}

}  // namespace
