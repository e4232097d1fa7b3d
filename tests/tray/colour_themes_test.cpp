// Icon colours: the table, recolouring of the coloured two-bar image, the stored setting.
#include "tray/colour_themes.h"

#include <gtest/gtest.h>

#include <string>

#include "two_bar_images.h"

using platform::PictureSurface;

namespace {

TEST(ColourTable, CaptionsAndColours) {
  const char* captions[] = {"Blue", "Cyan", "Green", "Purple", "Red", "White", "Yellow"};
  const gdi::COLORREF colours[] = {0xFF0000, 0xFFFF00, 0x00FF00, 0xFE00FE, 0x0000FF, 0xFFFFFF, 0x00FFFF};
  for (int i = 0; i < tray::kColourCount; ++i) {
    EXPECT_STREQ(tray::ColourCaption(i), captions[i]);
    EXPECT_EQ(tray::IconColour(i), colours[i]);
    EXPECT_NE(tray::IconColour(i), 0xFF00FFu) << "never the key colour";
    EXPECT_NE(tray::IconColour(i), 0u) << "never black";
  }
  EXPECT_EQ(tray::ColourCaption(7), nullptr);
  EXPECT_EQ(tray::ColourCaption(-1), nullptr);
}

// Counts pixels of a surface by colour (0x00BBGGRR through GetPixel).
int Count(const PictureSurface& s, gdi::COLORREF c) {
  int n = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) n += gdi::GetPixel(s.hDC(), x, y) == c;
  return n;
}

struct Recolour : ::testing::Test {
  PictureSurface dual{32, 32, 0xFFFFFF};
  void SetUp() override { dual.SetPicture(tray_test::ColouredBars()); }
};

// Every colour in turn, from the picture's own white: the bars take the new colour whatever the
// old one was (Purple lies one step off the key colour), the frame and column 17 never change.
TEST_F(Recolour, EachColourReplacesExactlyTheBarPixels) {
  for (int i : {5, 4, 3, 1, 0, 2, 6, 3}) {
    tray::RecolourBars(dual, tray::IconColour(i));
    EXPECT_EQ(Count(dual, tray::IconColour(i)), 725) << i;
    EXPECT_EQ(Count(dual, 0xFF00FF), 29) << i;
    EXPECT_EQ(Count(dual, 0), 1024 - 725 - 29) << i;
  }
}

TEST_F(Recolour, TheSameColourAgainChangesNothingAndAnnouncesTheChange) {
  tray::RecolourBars(dual, 0x00FFFF);
  int calls = 0;
  dual.SetChangedCallback([&] { ++calls; });
  tray::RecolourBars(dual, 0x00FFFF);
  EXPECT_EQ(Count(dual, 0x00FFFF), 725);
  EXPECT_EQ(calls, 1);
}

TEST(ParseColourIndex, AcceptsPlainWholeNumbersZeroToSix) {
  const struct {
    const char* text;
    int expected;  // -1: rejected
  } table[] = {{"0", 0},     {"3", 3},       {"6", 6},     {" 4 ", 4},    {"03", 3},     {"7", -1},
               {"-1", -1},   {"+3", -1},     {"", -1},     {"   ", -1},   {"Green", -1}, {"2x", -1},
               {"2.0", -1},  {"32768", -1},  {"99999999999999999999", -1}, {"1 2", -1}, {"\t2", -1}};
  for (const auto& row : table) {
    const std::optional<int> got = tray::ParseColourIndex(row.text);
    if (row.expected < 0) {
      EXPECT_FALSE(got.has_value()) << '"' << row.text << '"';
    } else {
      EXPECT_EQ(got, row.expected) << '"' << row.text << '"';
    }
  }
}

}  // namespace
