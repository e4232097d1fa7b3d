// The tray icon drawn at the sizes a shell asks for: the picture itself at 32, one-pixel frame
// and divider lines below, and nothing but the picture's own pixel values at every size.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/recording_notify_area.h"
#include "tray/bar_icon.h"

namespace {

using platform::Picture;

constexpr std::uint32_t kBlack = 0xFF000000u;

// The widths of the black runs along row y (or column x).
std::vector<int> BlackRuns(const Picture& p, int fixed, bool alongRow) {
  std::vector<int> runs;
  const int n = alongRow ? p.width : p.height;
  for (int i = 0, run = 0; i <= n; ++i) {
    const bool black = i < n && (alongRow ? p.At(i, fixed) : p.At(fixed, i)) == kBlack;
    if (black) ++run;
    if (!black && run > 0) runs.push_back(run), run = 0;
  }
  return runs;
}

TEST(IconSizes, OwnPictureAtThirtyTwoOnePixelLinesBelowAndOnlyItsOwnPixels) {
  tray::BarIcon icon;
  platform::RecordingNotificationArea area;
  icon.SetColour(4);
  icon.Reset();
  icon.DrawBar(0, 50);
  icon.DrawBar(1, 25);
  icon.Publish(area);
  const auto& shown = area.Pictures().back();
  const Picture& picture = shown.picture;
  const std::set<std::uint32_t> own(picture.argb.begin(), picture.argb.end());
  EXPECT_EQ(platform::Scaled(picture, 32, 32, shown.lines), picture);
  for (int size : {16, 20, 24, 48}) {
    const Picture p = platform::Scaled(picture, size, size, shown.lines);
    for (std::uint32_t v : p.argb) ASSERT_TRUE(own.count(v)) << size << ": " << std::hex << v;
    if (size > 32) continue;
    const int bottomRow = size - 2, leftBar = size / 4;
    // Frame, divider and frame across the bars' bottom row; frame above and below the left bar.
    EXPECT_EQ(BlackRuns(p, bottomRow, true), (std::vector<int>{1, 1, 1})) << size;
    EXPECT_EQ(BlackRuns(p, leftBar, false), (std::vector<int>{1, 1})) << size;
    // The right bar's first column stays transparent; the divider is the column before it.
    const int gap = size / 2;
    EXPECT_EQ(p.At(gap - 1, bottomRow), kBlack) << size;
    EXPECT_EQ(p.At(gap, bottomRow), platform::kTransparent) << size;
    // The left bar at 50 % fills half its rows, give or take the one row a pixel grid allows.
    int filled = 0;
    for (int y = 1; y <= bottomRow; ++y) filled += p.At(leftBar, y) != platform::kTransparent;
    EXPECT_NEAR(filled, (size - 2) / 2.0, 1.0) << size;
  }
}

}  // namespace
