// The tray icon: blank heights, bar blocks, colours, and the composed, partly transparent
// picture handed to the notification area only when it changed.
#include "tray/bar_icon.h"

#include <gtest/gtest.h>

#include "support/recording_notify_area.h"
#include "tray/colour_themes.h"

namespace {

using platform::Picture;

TEST(BlankHeight, FollowsTheTableWithHalvesToEven) {
  const struct {
    double reading;
    int height;
  } table[] = {{0, 32}, {1.5625, 32}, {3, 31}, {4.6875, 30}, {25, 24}, {50, 16},
               {75, 8}, {92, 3},      {95, 2}, {100, 0},     {7.8125, 30}, {10.9375, 28}};
  for (const auto& row : table) EXPECT_EQ(tray::BlankHeight(row.reading), row.height) << row.reading;
}

struct Icons : ::testing::Test {
  tray::BarIcon icon;
  platform::RecordingNotificationArea area;

  void SetUp() override { icon.SetColour(2); }

  // One tick's composition with both readings valid; the picture the area shows after it.
  const Picture& Compose(double r0, double r1) {
    icon.Reset();
    icon.DrawBar(0, r0);
    icon.DrawBar(1, r1);
    icon.Publish(area);
    return area.Pictures().back().picture;
  }
};

bool Opaque(const Picture& i, int x, int y) { return (i.At(x, y) >> 24) != 0; }
bool Frame(int x, int y) { return y < 2 || y == 31 || x < 2 || x == 15 || x == 16 || x > 29; }

TEST_F(Icons, BothIdleLeavesOnlyTheFrameOpaque) {
  const Picture& i = Compose(0, 0);
  ASSERT_EQ(i.width, 32);
  ASSERT_EQ(i.height, 32);
  EXPECT_EQ(area.Pictures().back().tooltip, "Zelmaro by Quenlark");
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) EXPECT_EQ(i.At(x, y), Frame(x, y) ? 0xFF000000u : 0u) << x << "," << y;
}

TEST_F(Icons, BothFullColoursBothBarsButColumn17) {
  const Picture& i = Compose(100, 100);
  for (int y = 2; y <= 30; ++y) {
    for (int x = 2; x <= 29; ++x) {
      if (x == 15 || x == 16) continue;
      EXPECT_EQ(i.At(x, y), x == 17 ? 0u : 0xFF00FF00u) << x << "," << y;
    }
  }
}

TEST_F(Icons, HalfAndIdle) {
  const Picture& i = Compose(50, 0);
  for (int y = 2; y <= 30; ++y) {
    EXPECT_EQ(Opaque(i, 2, y), y >= 16) << y;
    EXPECT_EQ(Opaque(i, 14, y), y >= 16) << y;
    EXPECT_FALSE(Opaque(i, 17, y));
    EXPECT_FALSE(Opaque(i, 18, y));
    EXPECT_FALSE(Opaque(i, 29, y));
  }
}

TEST_F(Icons, AnUndrawnBarShowsFullAndNothingCarriesOver) {
  Compose(0, 0);
  icon.Reset();
  icon.DrawBar(0, 25);  // processor 1 had no valid reading
  icon.Publish(area);
  const Picture& i = area.Pictures().back().picture;
  EXPECT_FALSE(Opaque(i, 5, 23));
  EXPECT_TRUE(Opaque(i, 5, 24));
  EXPECT_TRUE(Opaque(i, 20, 2));
  EXPECT_FALSE(Opaque(i, 17, 2));
}

// Every colour in turn: the bars take the new colour whatever the old one was (Purple lies one
// step off the key colour), the frame and column 17 never change.
TEST_F(Icons, EachColourReplacesExactlyTheBarPixels) {
  for (int c : {5, 4, 3, 1, 0, 2, 6, 3}) {
    icon.SetColour(c);
    const Picture& i = Compose(100, 100);
    int coloured = 0, clear = 0, black = 0;
    for (std::uint32_t px : i.argb) {
      coloured += px == platform::Opaque(tray::IconColour(c));
      clear += px == 0u;
      black += px == 0xFF000000u;
    }
    EXPECT_EQ(coloured, 725) << c;
    EXPECT_EQ(clear, 29) << c;
    EXPECT_EQ(black, 1024 - 725 - 29) << c;
  }
}

// The area hears of a picture only when its pixels differ from the last one it was given.
TEST_F(Icons, TheSamePixelsAgainAreNotHandedOver) {
  Compose(50, 50);
  Compose(50.5, 50);  // the same blank heights
  EXPECT_EQ(area.Pictures().size(), 1u);
  Compose(50, 0);
  Compose(50, 0);
  EXPECT_EQ(area.Pictures().size(), 2u);
  icon.SetColour(2);  // the same colour again: the same pixels
  Compose(50, 0);
  EXPECT_EQ(area.Pictures().size(), 2u);
  icon.SetColour(4);
  Compose(50, 0);
  ASSERT_EQ(area.Pictures().size(), 3u);
  EXPECT_EQ(area.Pictures().back().picture.At(5, 20), 0xFFFF0000u);
}

}  // namespace
