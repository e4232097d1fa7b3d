// Cost of the notification area's side of a tick: the same picture again (the common case
// while usage is steady), a new picture (scaling to every tray size), and the crisp scaling
// alone.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/notification_area/notification_area_unix.h"
#include "platform/pictures/scaled_picture.h"
#include "platform/tray_host/icon_sizes.h"

namespace {

platform::Picture Bars(std::uint32_t colour) {
  platform::Picture p(32, 32, 0xFF000000u);
  for (int y = 2; y <= 30; ++y)
    for (int x = 2; x <= 29; ++x)
      if (x != 15 && x != 16) p.At(x, y) = (x == 17 || y < 12) ? 0 : colour;
  return p;
}

// No bus and no display: the request path alone, with no host to talk to.
void BM_ShowSamePicture(benchmark::State& state) {
  platform::DesktopNotificationArea area{std::make_shared<platform::TrayIcon>(nullptr)};
  const auto px = Bars(0xFF00FF00u);
  area.Show(px, "Zelmaro by Quenlark");
  for (auto _ : state) area.Show(px, "Zelmaro by Quenlark");
}
BENCHMARK(BM_ShowSamePicture);

void BM_ShowNewPicture(benchmark::State& state) {
  platform::DesktopNotificationArea area{std::make_shared<platform::TrayIcon>(nullptr)};
  const auto a = Bars(0xFF00FF00u), b = Bars(0xFFFF0000u);
  area.Show(a, "Zelmaro by Quenlark");
  bool flip = false;
  for (auto _ : state) area.Show((flip = !flip) ? b : a, "Zelmaro by Quenlark");
}
BENCHMARK(BM_ShowNewPicture);

void BM_ScaleToEveryTraySize(benchmark::State& state) {
  const auto px = Bars(0xFF00FF00u);
  for (auto _ : state)
    for (int size : platform::kTrayIconSizes)
      benchmark::DoNotOptimize(platform::Scaled(px, size, size));
}
BENCHMARK(BM_ScaleToEveryTraySize);

}  // namespace
