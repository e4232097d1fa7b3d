// Cost of one graph step on the 405 x 50 graph pictures: the scroll and the newest segment,
// and the grid-mark step; the window's tick runs two scrolls and one mark step every 500 ms
// while shown (hidden, the readings wait and are drawn when it opens).
#include <benchmark/benchmark.h>

#include "window/graph_picture.h"
#include "window/usage_graphs.h"

namespace {

void BM_ScrollGraph(benchmark::State& state) {
  window::GraphPicture pic1(405, 50, 0x000000);
  platform::Int16 graphY, prevY;
  int n = 0;
  for (auto _ : state) {
    window::ScrollGraph(pic1, graphY, prevY, (n++ * 37) % 101);
    benchmark::DoNotOptimize(pic1.Image().argb.data());
  }
}
BENCHMARK(BM_ScrollGraph);

void BM_GraphTick(benchmark::State& state) {
  window::GraphPicture a(405, 50, 0x000000), b(405, 50, 0x000000);
  platform::Int16 tick, y[2], prev[2];
  window::GraphSetup(a, b, tick);
  int n = 0;
  for (auto _ : state) {
    window::ScrollGraph(a, y[0], prev[0], (n * 37) % 101);
    window::ScrollGraph(b, y[1], prev[1], (n * 53) % 101);
    window::GridMarksStep(a, b, tick);
    ++n;
  }
}
BENCHMARK(BM_GraphTick);

void BM_GraphSetup(benchmark::State& state) {
  window::GraphPicture a(405, 50, 0x000000), b(405, 50, 0x000000);
  platform::Int16 tick;
  for (auto _ : state) window::GraphSetup(a, b, tick);
}
BENCHMARK(BM_GraphSetup);

}  // namespace
