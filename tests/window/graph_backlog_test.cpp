// Readings drawn late from the backlog leave the graphs exactly as drawing each at its own tick
// would have: pixels, graph values and grid-mark count alike, also when the backlog overflowed.
#include "window/graph_backlog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "window/usage_graphs.h"

namespace {

using platform::Int16;
using window::GraphPicture;

// Both graphs and their state, after the initial grid.
struct Graphs {
  Graphs() {
    for (auto& p : pic1) p = std::make_unique<GraphPicture>(405, 50, 0x000000);
    window::GraphSetup(*pic1[0], *pic1[1], GridTick);
  }
  void Draw(double cpu0, double cpu1) {
    window::ScrollGraph(*pic1[0], GraphY[0], PrevGraphY[0], cpu0);
    window::ScrollGraph(*pic1[1], GraphY[1], PrevGraphY[1], cpu1);
    window::GridMarksStep(*pic1[0], *pic1[1], GridTick);
  }
  std::unique_ptr<GraphPicture> pic1[2];
  Int16 GraphY[2], PrevGraphY[2], GridTick;
};

// A reading sequence that moves over the whole scale, with fractions and extremes.
double Reading(int tick, int graph) {
  return 50 + 50 * std::sin(tick * (graph ? 0.37 : 0.11)) + (tick % 7 == 0 ? 0.99 : 0);
}

void ExpectSame(const Graphs& a, const Graphs& b, int ticks) {
  for (int g = 0; g < 2; ++g) {
    const std::uint32_t* pa = a.pic1[g]->Image().argb.data();
    const std::uint32_t* pb = b.pic1[g]->Image().argb.data();
    int differing = 0;
    for (int i = 0; i < 405 * 50; ++i) differing += pa[i] != pb[i];
    EXPECT_EQ(differing, 0) << "graph " << g << " after " << ticks << " ticks";
    EXPECT_EQ(int{a.GraphY[g]}, int{b.GraphY[g]});
    EXPECT_EQ(int{a.PrevGraphY[g]}, int{b.PrevGraphY[g]});
  }
  EXPECT_EQ(int{a.GridTick}, int{b.GridTick});
}

class GraphBacklogReplay : public ::testing::TestWithParam<int> {};

TEST_P(GraphBacklogReplay, DrawsTheSamePixelsAsDrawingEachTickAtOnce) {
  const int ticks = GetParam();
  Graphs live, late;
  // Some ticks drawn live on both, so the backlog starts from a graph with history.
  for (int t = 0; t < 9; ++t) {
    live.Draw(Reading(t, 0), Reading(t, 1));
    late.Draw(Reading(t, 0), Reading(t, 1));
  }
  window::GraphBacklog backlog(405);
  for (int t = 9; t < 9 + ticks; ++t) {
    live.Draw(Reading(t, 0), Reading(t, 1));
    backlog.Add(Reading(t, 0), Reading(t, 1), late.GraphY, late.PrevGraphY, late.GridTick);
  }
  EXPECT_EQ(backlog.Size(), std::min(ticks, 405));
  backlog.Drain([&late](double cpu0, double cpu1) { late.Draw(cpu0, cpu1); });
  EXPECT_TRUE(backlog.Empty());
  ExpectSame(live, late, ticks);
}

// Short, exactly the graph width, one past it, and hours of ticks.
INSTANTIATE_TEST_SUITE_P(Lengths, GraphBacklogReplay, ::testing::Values(1, 5, 404, 405, 406, 411, 2000));

TEST(GraphBacklog, DrainingTwiceDrawsNothingMore) {
  window::GraphBacklog backlog(3);
  Int16 y[2], prev[2], grid;
  backlog.Add(1, 2, y, prev, grid);
  int drawn = 0;
  backlog.Drain([&drawn](double, double) { ++drawn; });
  backlog.Drain([&drawn](double, double) { ++drawn; });
  EXPECT_EQ(drawn, 1);
}

}  // namespace
