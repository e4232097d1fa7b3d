// Bar icon composition: blank heights, bar blocks and the composed, partly transparent icon.
#include "tray/bar_icon.h"

#include <gtest/gtest.h>

#include "tray/colour_themes.h"
#include "two_bar_images.h"

using platform::PictureSurface;

namespace {

TEST(BlankHeight, FollowsTheTableWithHalvesToEven) {
  const struct {
    double reading;
    int height;
  } table[] = {{0, 32}, {1.5625, 32}, {3, 31}, {4.6875, 30}, {25, 24}, {50, 16},
               {75, 8}, {92, 3},      {95, 2}, {100, 0},     {7.8125, 30}, {10.9375, 28}};
  for (const auto& row : table) EXPECT_EQ(tray::BlankHeight(row.reading), row.height) << row.reading;
}

// The surfaces of the composition: template, working surface and the blank image.
struct Icons : ::testing::Test {
  PictureSurface template0{32, 32, 0xFFFFFF};
  PictureSurface working{32, 32, 0xFFFFFF};
  PictureSurface blank{32, 32, 0xFFFFFF};
  PictureSurface colour{32, 32, 0xFFFFFF};

  void SetUp() override {
    blank.SetPicture(tray_test::BlankBars());
    colour.SetPicture(tray_test::ColouredBars());
    tray::RecolourBars(colour, tray::IconColour(2));
    template0.SetPicture(colour.Image());
  }

  gdi::IconImage Compose(double r0, double r1) {
    tray::ResetBarIcon(template0, working);
    tray::DrawBar(working, blank, 0, r0);
    tray::DrawBar(working, blank, 1, r1);
    const gdi::HICON icon = tray::ComposeIcon(working);
    gdi::IconImage image;
    EXPECT_TRUE(gdi::ReadIconImage(icon, &image));
    gdi::DestroyIcon(icon);
    return image;
  }
};

bool Opaque(const gdi::IconImage& i, int x, int y) { return (i.argb[y * 32 + x] >> 24) != 0; }
bool Frame(int x, int y) { return y < 2 || y == 31 || x < 2 || x == 15 || x == 16 || x > 29; }

TEST_F(Icons, BothIdleLeavesOnlyTheFrameOpaque) {
  const gdi::IconImage i = Compose(0, 0);
  ASSERT_EQ(i.width, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(Opaque(i, x, y), Frame(x, y)) << x << "," << y;
      if (Frame(x, y)) {
        EXPECT_EQ(i.argb[y * 32 + x], 0xFF000000u);
      }
    }
}

TEST_F(Icons, BothFullColoursBothBarsButColumn17) {
  const gdi::IconImage i = Compose(100, 100);
  for (int y = 2; y <= 30; ++y) {
    for (int x = 2; x <= 29; ++x) {
      if (x == 15 || x == 16) continue;
      if (x == 17) {
        EXPECT_FALSE(Opaque(i, x, y)) << "column 17 is transparent at any height";
      } else {
        EXPECT_EQ(i.argb[y * 32 + x], 0xFF00FF00u) << x << "," << y;
      }
    }
  }
}

TEST_F(Icons, HalfAndIdle) {
  const gdi::IconImage i = Compose(50, 0);
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
  tray::ResetBarIcon(template0, working);
  tray::DrawBar(working, blank, 0, 25);  // processor 1 had no valid reading
  const gdi::HICON icon = tray::ComposeIcon(working);
  gdi::IconImage i;
  ASSERT_TRUE(gdi::ReadIconImage(icon, &i));
  gdi::DestroyIcon(icon);
  EXPECT_FALSE(Opaque(i, 5, 23));
  EXPECT_TRUE(Opaque(i, 5, 24));
  EXPECT_TRUE(Opaque(i, 20, 2));
  EXPECT_FALSE(Opaque(i, 17, 2));
}

TEST_F(Icons, ARecolourShowsInTheNextIcon) {
  tray::RecolourBars(colour, tray::IconColour(3));  // Purple, one step off the key colour
  template0.SetPicture(colour.Image());
  const gdi::IconImage i = Compose(100, 100);
  EXPECT_EQ(i.argb[10 * 32 + 5], 0xFFFE00FEu);
  EXPECT_EQ(i.argb[10 * 32 + 25], 0xFFFE00FEu);
}

TEST_F(Icons, TenThousandIconsLeakNothing) {
  Compose(10, 90);  // let every recycled object exist once
  const std::size_t before = gdi::LiveObjectCount();
  for (int n = 0; n < 10000; ++n) {
    tray::ResetBarIcon(template0, working);
    tray::DrawBar(working, blank, 0, n % 101);
    tray::DrawBar(working, blank, 1, 100 - n % 101);
    const gdi::HICON icon = tray::ComposeIcon(working);
    ASSERT_NE(icon, 0u);
    gdi::DestroyIcon(icon);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

}  // namespace
