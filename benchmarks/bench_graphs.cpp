// Cost of one graph step on the 405 x 50 graph surfaces: the scroll through the scratch
// surface and the newest segment, and the grid-mark step; the window's tick runs two scrolls
// and one mark step every 500 ms, shown or hidden.
#include <benchmark/benchmark.h>

#include "platform/raster_graphics/picture_surface.h"
#include "window/usage_graphs.h"

namespace {

void BM_ScrollGraph(benchmark::State& state) {
  platform::PictureSurface pic1(405, 50, 0x000000, 0x00FF00), pic2(405, 50, 0x808080);
  platform::Int16 graphY, prevY;
  int n = 0;
  for (auto _ : state) {
    window::ScrollGraph(pic1, pic2, graphY, prevY, (n++ * 37) % 101);
    benchmark::DoNotOptimize(pic1.Pixels());
  }
}
BENCHMARK(BM_ScrollGraph);

void BM_GraphTick(benchmark::State& state) {
  platform::PictureSurface a(405, 50, 0x000000, 0x00FF00), b(405, 50, 0x000000, 0x00FF00);
  platform::PictureSurface a2(405, 50, 0x808080), b2(405, 50, 0x808080);
  platform::Int16 tick, y[2], prev[2];
  window::GraphSetup(a, b, tick);
  int n = 0;
  for (auto _ : state) {
    window::ScrollGraph(a, a2, y[0], prev[0], (n * 37) % 101);
    window::ScrollGraph(b, b2, y[1], prev[1], (n * 53) % 101);
    window::GridMarksStep(a, b, tick);
    ++n;
  }
}
BENCHMARK(BM_GraphTick);

void BM_GraphSetup(benchmark::State& state) {
  platform::PictureSurface a(405, 50, 0x000000), b(405, 50, 0x000000);
  platform::Int16 tick;
  for (auto _ : state) window::GraphSetup(a, b, tick);
}
BENCHMARK(BM_GraphSetup);

}  // namespace
