// Cost of the raster work of one tick: composing the tray icon, and one graph-sized cycle of
// snapshot, picture assignment, clear and painting.
#include <benchmark/benchmark.h>

#include "platform/raster_graphics/picture_surface.h"
#include "tray/bar_icon.h"
#include "tray/colour_themes.h"
#include "window/pictures.h"

namespace {

void BM_ComposeTrayIcon(benchmark::State& state) {
  platform::PictureSurface colour(32, 32, 0xFFFFFF), blank(32, 32, 0xFFFFFF);
  platform::PictureSurface template0(32, 32, 0xFFFFFF), working(32, 32, 0xFFFFFF);
  colour.SetPicture(window::DualColorPicture());
  blank.SetPicture(window::DualBlankPicture());
  tray::RecolourBars(colour, tray::IconColour(2));
  template0.SetPicture(colour.Image());
  double reading = 0;
  for (auto _ : state) {
    tray::ResetBarIcon(template0, working);
    tray::DrawBar(working, blank, 0, reading);
    tray::DrawBar(working, blank, 1, 100 - reading);
    const gdi::HICON icon = tray::ComposeIcon(working);
    benchmark::DoNotOptimize(icon);
    gdi::DestroyIcon(icon);
    reading = reading >= 100 ? 0 : reading + 7;
  }
}
BENCHMARK(BM_ComposeTrayIcon);

void BM_GraphSurfaceCycle(benchmark::State& state) {
  platform::PictureSurface graph(405, 50, 0), scratch(405, 50, 0x808080);
  for (int x = 0; x < 405; x += 6) graph.Line(x, 0, x, 50, 0x00FF00);
  for (auto _ : state) {
    scratch.SetPicture(graph.Image());
    graph.Cls();
    graph.PaintPicture(*scratch.GetPicture(), -1, 0);
    benchmark::DoNotOptimize(graph.Pixels());
  }
}
BENCHMARK(BM_GraphSurfaceCycle);

}  // namespace
