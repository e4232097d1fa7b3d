// Window states, tray callbacks and the one teardown path.
#include <gtest/gtest.h>

#include <string>

#include "form1_harness.h"
#include "platform/window_system/message_loop.h"
#include "window/form_controls.h"

namespace {

TEST(Form1Lifecycle, TheUsersCloseOnlyHidesAndSamplingGoesOn) {
  Form1Harness h;
  Form1& f = h.Load();
  f.ShowAvgUsage_Click();
  ASSERT_TRUE(f.Controls().form->Visible());
  f.Controls().form->Close();  // the close button
  EXPECT_FALSE(f.Controls().form->Visible());
  EXPECT_FALSE(f.Unloaded());
  EXPECT_TRUE(f.Controls().Timer1->Enabled());
  EXPECT_TRUE(h.tray->IsShown());
  bool cancel = false;
  f.Form_QueryUnload(cancel, 0);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(f.WindowState(), 1);
}

TEST(Form1Lifecycle, TheTraysOpenRequestShowsTheWindow) {
  Form1Harness h;
  Form1& f = h.Load();
  h.tray->Fire(platform::NotificationArea::Request::Open);
  EXPECT_TRUE(f.Controls().form->Visible());
  EXPECT_EQ(f.WindowState(), 0);
  h.tray->Fire(platform::NotificationArea::Request::Open);  // again while open: stays open, normal
  EXPECT_TRUE(f.Controls().form->Visible());
}

TEST(Form1Lifecycle, MenuChoicesAndTheButtonReachTheirHandlers) {
  Form1Harness h;
  Form1& f = h.Load();
  auto& c = f.Controls();
  c.mnuCOLOR[4]->Click();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(c.mnuCOLOR[i]->Checked(), i == 4) << i;
  c.ShowAvgUsage->Click();
  EXPECT_TRUE(c.form->Visible());
  f.Timer1_Timer();
  EXPECT_EQ(f.Sampler().Ticks(), 1);
  c.BtnReSet->Click();
  EXPECT_EQ(f.Sampler().Ticks(), 0);
  c.mnuExit->Click();
  EXPECT_TRUE(f.Unloaded());
  EXPECT_EQ(h.tray->Removals(), 1);
}

// Loads the harness's Form1 on a desktop without a tray host, waiting only 50 ms for one.
Form1& LoadWithoutTrayHost(Form1Harness& h) {
  h.trayWaitMs = 50;
  h.form = h.Make();
  h.tray->SetHostPresent(false);
  h.form->Form_Load();
  return *h.form;
}

TEST(Form1Lifecycle, WithoutATrayHostTheWindowStaysReachableUntilOneAppears) {
  Form1Harness h;
  Form1& f = LoadWithoutTrayHost(h);
  platform::FormWindow* w = f.Controls().form.get();
  EXPECT_FALSE(w->Visible());  // hidden as usual while a panel may still be starting
  ASSERT_TRUE(Within2s([w] { return w->Visible(); }));
  EXPECT_EQ(f.WindowState(), 0);
  ASSERT_EQ(h.reports.size(), 1u);
  EXPECT_NE(h.reports[0].find("no notification area"), std::string::npos);
  w->Close();  // the close button minimises, but does not hide
  platform::ProcessPendingMessages();  // the window system's answer to the minimise
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(f.WindowState(), 1);
  h.tray->SetHostPresent(true);  // a panel starts: to the tray as usual
  EXPECT_FALSE(w->Visible());
  h.tray->Fire(platform::NotificationArea::Request::Open);
  EXPECT_TRUE(w->Visible());
  w->Close();
  EXPECT_FALSE(w->Visible());
  h.tray->SetHostPresent(false);  // the panel goes for good: back on the task bar, minimised
  ASSERT_TRUE(Within2s([w] { return w->Visible(); }));
  EXPECT_EQ(f.WindowState(), 1);
  EXPECT_EQ(h.reports.size(), 2u);
}

// Opened at start for want of a tray, the window goes there once a host comes, as if minimised,
// unless the user has moved it or used it (here: pressed "Reset Avg") since it opened.
TEST(Form1Lifecycle, TheWindowOpenedForWantOfATrayGoesThereUnlessTheUserTookItUp) {
  for (const std::string user : {"nothing", "moved", "pressed"}) {
    SCOPED_TRACE(user);
    Form1Harness h;
    Form1& f = LoadWithoutTrayHost(h);
    platform::FormWindow* w = f.Controls().form.get();
    ASSERT_TRUE(Within2s([w] { return w->Visible(); }));
    if (user == "moved") {
      const platform::Rect frame = w->FrameGeometry();
      w->MoveFrameTo(frame.x + 40, frame.y);
    }
    if (user == "pressed") PressMouseOn(*f.Controls().BtnReSet);
    h.tray->SetHostPresent(true);
    EXPECT_EQ(w->Visible(), user != "nothing");
    EXPECT_EQ(f.WindowState(), user == "nothing" ? 1 : 0);
    EXPECT_TRUE(h.tray->IsShown());
  }
}

TEST(Form1Lifecycle, ExitStopsTheTimerClosesTheQueryAndRemovesTheIcon) {
  Form1Harness h;
  Form1& f = h.Load();
  // When the icon is removed, the timer has stopped and the query is closed already: no tick
  // can run on a closed query, and the icon goes last.
  bool timerStopped = false, queryClosed = false;
  h.tray->SetObserver([&](bool show) {
    if (show) return;
    timerStopped = !f.Controls().Timer1->Enabled();
    queryClosed = h.usage.closed;
  });
  f.mnuExit_Click();
  EXPECT_TRUE(timerStopped);
  EXPECT_TRUE(queryClosed);
  EXPECT_TRUE(f.Unloaded());
  EXPECT_EQ(f.ExitStatus(), 0);
  EXPECT_FALSE(f.Controls().Timer1->Enabled());
  EXPECT_EQ(h.tray->Removals(), 1);
  EXPECT_FALSE(h.tray->IsShown());
  const size_t shown = h.tray->Pictures().size();
  f.Close(Form1::kCloseByCode);  // a second close does nothing more
  EXPECT_EQ(h.tray->Pictures().size(), shown);
  EXPECT_EQ(h.tray->Removals(), 1);
}

TEST(Form1Lifecycle, TheEndOfTheSessionTearsDownLikeExit) {
  Form1Harness h;
  Form1& f = h.Load();
  f.Close(Form1::kCloseBySessionEnd);
  EXPECT_TRUE(f.Unloaded());
  EXPECT_EQ(f.ExitStatus(), 0);
  EXPECT_FALSE(f.Controls().Timer1->Enabled());
  EXPECT_TRUE(h.usage.closed);
  EXPECT_EQ(h.tray->Removals(), 1);
}

}  // namespace

namespace {

TEST(Form1Errors, AnErrorEscapingAHandlerIsReportedByNameAndEndsTheProgram) {
  Form1Harness h;
  Form1& f = h.Load();
  f.RunHandler([&f] { f.mnuCOLOR_Click(platform::Int16(7)); });  // no such colour item
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, "Run-time error '9':\n\nSubscript out of range");
  EXPECT_EQ(h.messages[0].title, "Zelmaro");
  EXPECT_EQ(h.terminated, 1);
  EXPECT_FALSE(f.Controls().Timer1->Enabled());  // no tick runs behind the report
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f.Controls().mnuCOLOR[i]->Checked(), i == 2) << i;
}

TEST(Form1Errors, ACheckedCounterLeavingSixteenBitsIsAnOverflow) {
  Form1Harness h;
  Form1& f = h.Load();
  f.RunHandler([] {
    platform::Int16 n = 32767;
    ++n;
  });
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, "Run-time error '6':\n\nOverflow");
  EXPECT_EQ(h.terminated, 1);
}

}  // namespace
