#include "platform/window_system/display_scale.h"

#include <gtest/gtest.h>


namespace {

using platform::Rect;

constexpr int kDpis[] = {96, 120, 144, 168, 192};

// The window at each scale: its client area, the edges where a graph meets its scale strips
// (the strip lying on its first 7 columns, the one beside its last column), and every place
// read back as it was given.
TEST(DisplayScale, LayoutEdgesScaleAndComeBack) {
  struct Expect {
    int dpi;
    Rect client;
    Rect graph;
  };
  const Expect table[] = {
      {96, {0, 0, 432, 191}, {10, 76, 405, 50}},    {120, {0, 0, 540, 239}, {13, 95, 506, 63}},
      {144, {0, 0, 648, 287}, {15, 114, 608, 75}},  {168, {0, 0, 756, 334}, {18, 133, 708, 88}},
      {192, {0, 0, 864, 382}, {20, 152, 810, 100}},
  };
  for (const Expect& e : table) {
    SCOPED_TRACE(e.dpi);
    EXPECT_EQ(platform::ScaleRect({0, 0, 432, 191}, e.dpi), e.client);
    const Rect graph = platform::ScaleRect({10, 76, 405, 50}, e.dpi);
    EXPECT_EQ(graph, e.graph);
    // The strip inside the graph, placed from the graph's corner.
    const Rect inner = platform::ScaleRect({0, 0, 7, 50}, e.dpi, 10, 76);
    const Rect outer = platform::ScaleRect({414, 76, 8, 50}, e.dpi);
    const int shown = graph.x + graph.width - (graph.x + inner.x + inner.width);  // graph columns between strips
    EXPECT_EQ(inner.height, graph.height);
    EXPECT_NEAR(shown, 398.0 * e.dpi / 96, 0.5);
    EXPECT_LT(outer.x, graph.x + graph.width);  // the graph's last column covers the strip's first
    EXPECT_EQ(outer.x + outer.width, platform::ScaleEdge(422, e.dpi));
    for (const Rect& r : {Rect{53, 9, 55, 13}, Rect{176, 21, 81, 33}, Rect{414, 132, 8, 50}})
      EXPECT_EQ(platform::UnscaleRect(platform::ScaleRect(r, e.dpi), e.dpi), r);
    EXPECT_EQ(platform::UnscaleRect(inner, e.dpi, 10, 76), (Rect{0, 0, 7, 50}));
  }
}

TEST(DisplayScale, FontsAndTextWidths) {
  const int heights[] = {11, 14, 17, 19, 22};  // 8.25 points
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(platform::FontPixelHeight(8.25, kDpis[i]), heights[i]);
    // A text's width given back in 96-dpi pixels covers the text once scaled again.
    for (int width : {1, 40, 47, 125, 131})
      EXPECT_GE(platform::ScaleEdge(platform::UnscaleLength(width, kDpis[i]), kDpis[i]), width) << kDpis[i];
  }
}

}  // namespace
