// The settings file on Linux: a colour that cannot be written to it still applies, and the
// user learns once per run where and why it was not kept.
#include <gtest/gtest.h>

#include <fstream>

#include "form1_harness.h"

namespace {

TEST(Form1Settings, AColourThatCannotBeSavedAppliesAndIsReportedOncePerRun) {
  Form1Harness h;
  Form1& f = h.Load();
  std::ofstream(h.settingsRoot()) << "a file where the settings directory should be";
  f.mnuCOLOR_Click(platform::Int16(4));
  ASSERT_TRUE(Within2s([&h] { return !h.messages.empty(); }));
  EXPECT_EQ(h.messages[0].title, "Zelmaro");
  EXPECT_EQ(h.messages[0].kind, platform::MessageKind::Information);
  EXPECT_NE(h.messages[0].text.find("could not be saved in " + h.settingsRoot() + "/Quenlark.ini"),
            std::string::npos) << h.messages[0].text;
  EXPECT_NE(h.messages[0].text.find("Not a directory"), std::string::npos) << h.messages[0].text;
  h.SetReadings({100, 100});
  f.Timer1_Timer();
  EXPECT_EQ(h.tray->Pictures().back().picture.argb[2 * 32 + 5], 0xFFFF0000u);  // red all the same
  f.mnuCOLOR_Click(platform::Int16(6));
  Within2s([] { return false; });  // time for a second report, which must not come
  EXPECT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.terminated, -1);
}

}  // namespace
