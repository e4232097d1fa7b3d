// Icon colours: the table and the stored setting.
#include "tray/colour_themes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ColourTable, CaptionsAndColours) {
  const char* captions[] = {"Blue", "Cyan", "Green", "Purple", "Red", "White", "Yellow"};
  const platform::Colour colours[] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFE00FE, 0xFF0000, 0xFFFFFF, 0xFFFF00};
  for (int i = 0; i < tray::kColourCount; ++i) {
    EXPECT_STREQ(tray::ColourCaption(i), captions[i]);
    EXPECT_EQ(tray::IconColour(i), colours[i]);
    EXPECT_NE(tray::IconColour(i), 0xFF00FFu) << "never the key colour";
    EXPECT_NE(tray::IconColour(i), 0u) << "never black";
  }
  EXPECT_EQ(tray::ColourCaption(7), nullptr);
  EXPECT_EQ(tray::ColourCaption(-1), nullptr);
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
