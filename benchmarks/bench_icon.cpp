// Cost of the tray icon's side of one tick: composing the two-bar picture and handing it over
// (to a notification area that only counts), with readings that change each tick and with
// steady ones, whose identical pixels are not handed over again.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/notification_area/notification_area.h"
#include "tray/bar_icon.h"

namespace {

class CountingArea : public platform::NotificationArea {
 public:
  void Show(const platform::Picture& picture, const std::string&, const platform::PictureLines&) override {
    benchmark::DoNotOptimize(picture.argb.data());
    ++shown;
  }
  void Remove() override {}
  int shown = 0;
};

void ComposeAndPublish(benchmark::State& state, double step) {
  tray::BarIcon icon;
  icon.SetColour(2);
  CountingArea area;
  double reading = 0;
  for (auto _ : state) {
    icon.Reset();
    icon.DrawBar(0, reading);
    icon.DrawBar(1, 100 - reading);
    icon.Publish(area);
    reading = reading >= 100 ? 0 : reading + step;
  }
  benchmark::DoNotOptimize(area.shown);
}

void BM_ComposeTrayIcon(benchmark::State& state) { ComposeAndPublish(state, 7); }
BENCHMARK(BM_ComposeTrayIcon);

void BM_ComposeSteadyTrayIcon(benchmark::State& state) { ComposeAndPublish(state, 0); }
BENCHMARK(BM_ComposeSteadyTrayIcon);

}  // namespace
