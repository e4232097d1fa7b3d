#include "window/usage_graphs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::Int16;
using window::GraphPicture;

constexpr std::uint32_t kBlackPx = 0x000000;
constexpr std::uint32_t kGreenPx = 0x00FF00;
constexpr std::uint32_t kTealPx = 0x008080;  // red 0, green 128, blue 128

std::uint32_t Px(const GraphPicture& s, int x, int y) { return s.Image().At(x, y) & 0xFFFFFF; }

// Rows of one column that hold the given colour, top to bottom.
std::vector<int> RowsOf(const GraphPicture& s, int x, std::uint32_t colour) {
  std::vector<int> rows;
  for (int y = 0; y < s.Height(); ++y) {
    if (Px(s, x, y) == colour) rows.push_back(y);
  }
  return rows;
}

int Count(const GraphPicture& s, std::uint32_t colour) {
  int n = 0;
  for (std::uint32_t px : s.Image().argb) n += (px & 0xFFFFFF) == colour;
  return n;
}

struct Graph {
  explicit Graph(int height = 50) : pic1(405, height, 0x000000) {}
  void Step(double cpu) { window::ScrollGraph(pic1, GraphY, PrevGraphY, cpu); }
  GraphPicture pic1;
  Int16 GraphY;
  Int16 PrevGraphY;
};

TEST(GraphRowTest, OnePerTwoPercentOddValuesOnTheUpperRow) {
  EXPECT_EQ(window::GraphRow(100), 0);
  EXPECT_EQ(window::GraphRow(99), 0);
  EXPECT_EQ(window::GraphRow(50), 25);
  EXPECT_EQ(window::GraphRow(90), 5);
  EXPECT_EQ(window::GraphRow(10), 45);
  EXPECT_EQ(window::GraphRow(1), 49);
  EXPECT_EQ(window::GraphRow(0), 50);
}

TEST(ScrollGraphTest, GraphValueIsTheReadingRoundedDownWithinZeroToHundred) {
  const struct {
    double cpu;
    int value;
  } cases[] = {{100, 100}, {50, 50}, {99.9, 99}, {1.7, 1}, {0, 0},
               {0.99, 0},  {-3, 0},  {250, 100}, {std::nan(""), 0}};
  for (const auto& c : cases) {
    Graph g;
    g.GraphY = 40;
    g.PrevGraphY = 40;
    g.Step(c.cpu);
    EXPECT_EQ(g.GraphY, c.value) << c.cpu;
    EXPECT_EQ(g.PrevGraphY, c.value) << c.cpu;
  }
}

TEST(ScrollGraphTest, AReadingAfterZeroIsDrawnWhereItBelongs) {
  Graph g;
  g.Step(0);
  g.Step(0);
  g.Step(80);
  EXPECT_EQ(g.GraphY, 80);  // not forced to 1 after an idle point
  g.Step(80);
  EXPECT_EQ(RowsOf(g.pic1, 403, kGreenPx).front(), window::GraphRow(80));
}

TEST(ScrollGraphTest, NewPointLandsOnItsRowInTheLastColumns) {
  // After a previous point on row 30 (value 40), two calls with the same reading: the second
  // segment is flat on the reading's row and starts in column W - 2.
  const struct {
    double cpu;
    int row;
  } cases[] = {{100, 0}, {50, 25}, {99.9, 0}, {1.7, 49}};
  for (const auto& c : cases) {
    Graph g;
    g.GraphY = 40;
    g.PrevGraphY = 40;
    g.Step(c.cpu);
    g.Step(c.cpu);
    EXPECT_EQ(Px(g.pic1, 403, c.row), kGreenPx) << c.cpu;
    // The flat segment's end point (W - 1) is not plotted; column W - 1 stays background.
    EXPECT_TRUE(RowsOf(g.pic1, 404, kGreenPx).empty()) << c.cpu;
    // Column W - 2 holds the end of the rising or falling segment and the new point, so its
    // green run ends exactly at the reading's row.
    const std::vector<int> rows = RowsOf(g.pic1, 403, kGreenPx);
    const int extreme = c.row < 30 ? rows.front() : rows.back();
    EXPECT_EQ(extreme, c.row) << c.cpu;
  }
}

TEST(ScrollGraphTest, ZeroIsDrawnOnRowFiftyBelowTheVisibleRows) {
  Graph g;
  g.GraphY = 40;
  g.PrevGraphY = 40;
  g.Step(0);
  g.Step(0);
  EXPECT_EQ(g.GraphY, 0);
  EXPECT_EQ(RowsOf(g.pic1, 403, kGreenPx).back(), 49);  // the fall reaches the bottom edge
  EXPECT_TRUE(RowsOf(g.pic1, 404, kGreenPx).empty());
}

TEST(ScrollGraphTest, FirstSegmentStartsOnRowFifty) {
  Graph g(51);  // one row taller, so row 50 can be seen
  g.Step(50);
  EXPECT_EQ(Px(g.pic1, 403, 50), kGreenPx);
  EXPECT_EQ(Px(g.pic1, 404, 25), kBlackPx);  // end point not plotted
  EXPECT_EQ(Px(g.pic1, 404, 26), kGreenPx);
  for (int x = 0; x < 403; ++x) EXPECT_TRUE(RowsOf(g.pic1, x, kGreenPx).empty()) << x;
}

TEST(ScrollGraphTest, EachCallMovesTheGraphOnePixelLeftAndDropsColumnZero) {
  Graph g;
  g.pic1.Line(0, 10, 1, 10, 0xFF0000);  // red dot at (0, 10)
  g.pic1.Line(5, 20, 6, 20, 0xFF0000);  // red dot at (5, 20)
  g.Step(0);
  EXPECT_EQ(Px(g.pic1, 4, 20), 0xFF0000u);
  EXPECT_EQ(Px(g.pic1, 5, 20), kBlackPx);
  EXPECT_EQ(Count(g.pic1, 0xFF0000), 1);  // the dot in column 0 has scrolled out
  for (int i = 0; i < 4; ++i) g.Step(0);
  EXPECT_EQ(Px(g.pic1, 0, 20), 0xFF0000u);
  g.Step(0);
  EXPECT_EQ(Count(g.pic1, 0xFF0000), 0);
}

TEST(ScrollGraphTest, RepeatedScrollingKeepsOneColumnPerCall) {
  Graph g;
  g.Step(1);
  for (int i = 1; i < 20; ++i) g.Step(i % 2 ? 100 : 1);
  // The first call draws only on the hidden row 50; the 19 later ones fill the last columns.
  for (int x = 0; x < 405 - 20; ++x) EXPECT_TRUE(RowsOf(g.pic1, x, kGreenPx).empty()) << x;
  EXPECT_FALSE(RowsOf(g.pic1, 405 - 20, kGreenPx).empty());
}

TEST(GraphSetupTest, InitialGridHas68DashesPerRowEndingAtTheRightEdge) {
  GraphPicture a(405, 51, 0x000000), b(405, 51, 0x000000);  // row 50 made visible
  Int16 tick;
  window::GraphSetup(a, b, tick);
  for (const GraphPicture* s : {&a, &b}) {
    for (int y = 0; y <= 50; ++y) {
      std::vector<int> cols;
      for (int x = 0; x < 405; ++x) {
        if (Px(*s, x, y) == kTealPx) cols.push_back(x);
      }
      if (y % 5 != 0) {
        EXPECT_TRUE(cols.empty()) << y;
        continue;
      }
      // Dashes (x - 2, y)-(x, y) for x = 405, 399, ... 3 plot columns x - 2 and x - 1.
      std::vector<int> expected;
      for (int x = 3; x <= 405; x += 6) {
        expected.push_back(x - 2);
        expected.push_back(x - 1);
      }
      ASSERT_EQ(expected.size(), 136u);
      EXPECT_EQ(cols, expected) << "row " << y;
    }
  }
  EXPECT_EQ(Count(a, kTealPx), 11 * 136);
}

TEST(GridMarksTest, MarksOnlyOnTheSixthCallElevenRowsOnEachGraph) {
  GraphPicture a(405, 51, 0x000000), b(405, 51, 0x000000);
  Int16 tick = 0;
  for (int call = 1; call <= 5; ++call) {
    window::GridMarksStep(a, b, tick);
    EXPECT_EQ(tick, call);
    EXPECT_EQ(Count(a, kTealPx) + Count(b, kTealPx), 0) << call;
  }
  window::GridMarksStep(a, b, tick);
  EXPECT_EQ(tick, 0);
  // 22 marks, each (W - 2, y)-(W, y): columns 403 and 404.
  for (const GraphPicture* s : {&a, &b}) {
    EXPECT_EQ(Count(*s, kTealPx), 22);
    for (int y = 0; y <= 50; y += 5) {
      EXPECT_EQ(Px(*s, 403, y), kTealPx) << y;
      EXPECT_EQ(Px(*s, 404, y), kTealPx) << y;
    }
  }
  window::GridMarksStep(a, b, tick);
  EXPECT_EQ(tick, 1);
  EXPECT_EQ(Count(a, kTealPx), 22);
}

TEST(GridMarksTest, ScrolledMarksMatchTheInitialGridSpacing) {
  Graph g0, g1;
  Int16 tick;
  window::GraphSetup(g0.pic1, g1.pic1, tick);
  for (int i = 0; i < 12; ++i) {
    g0.Step(50);
    g1.Step(50);
    window::GridMarksStep(g0.pic1, g1.pic1, tick);
  }
  // After 12 calls the grid has scrolled 12 columns and two new marks were added: row 10 is
  // still one dash every 6 columns with the last one ending at the right edge.
  std::vector<int> cols;
  for (int x = 0; x < 405; ++x) {
    if (Px(g0.pic1, x, 10) == kTealPx) cols.push_back(x);
  }
  ASSERT_FALSE(cols.empty());
  EXPECT_EQ(cols.back(), 404);
  for (std::size_t i = 0; i + 1 < cols.size(); i += 2) {
    EXPECT_EQ(cols[i + 1], cols[i] + 1);
    if (i + 2 < cols.size()) {
      EXPECT_EQ(cols[i + 2], cols[i] + 6);
    }
  }
}

}  // namespace
