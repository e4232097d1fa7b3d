// Cost of the notification area's side of a tick: the modify request with the same pixels
// as last time (the common case while usage is steady), with new pixels (scaling to every
// tray size), and the crisp scaling alone.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/raster_graphics/gdi.h"
#include "platform/notification_area/notification_area_unix.h"
#include "platform/tray_host/icon_scaling.h"

namespace {

std::vector<std::uint32_t> Bars(std::uint32_t colour) {
  std::vector<std::uint32_t> p(32 * 32, 0xFF000000u);
  for (int y = 2; y <= 30; ++y)
    for (int x = 2; x <= 29; ++x)
      if (x != 15 && x != 16) p[y * 32 + x] = (x == 17 || y < 12) ? 0 : colour;
  return p;
}

platform::NOTIFYICONDATAA Record(gdi::HICON icon) {
  platform::NOTIFYICONDATAA d{};
  d.cbSize = 88;
  d.uID = 1;
  d.uFlags = 7;
  d.uCallbackMessage = 512;
  d.hIcon = icon;
  return d;
}

// No bus and no display: the request path alone, with no host to talk to.
void BM_ModifySamePixels(benchmark::State& state) {
  platform::DesktopNotificationArea area{std::make_shared<platform::TrayIcon>(nullptr)};
  const auto px = Bars(0xFF00FF00u);
  const gdi::HICON icon = gdi::CreateIconFromArgb(32, 32, px.data());
  const auto d = Record(icon);
  area.Shell_NotifyIconA(platform::NIM_ADD, &d);
  for (auto _ : state) benchmark::DoNotOptimize(area.Shell_NotifyIconA(platform::NIM_MODIFY, &d));
  gdi::DestroyIcon(icon);
}
BENCHMARK(BM_ModifySamePixels);

void BM_ModifyNewPixels(benchmark::State& state) {
  platform::DesktopNotificationArea area{std::make_shared<platform::TrayIcon>(nullptr)};
  const auto a = Bars(0xFF00FF00u), b = Bars(0xFFFF0000u);
  const gdi::HICON ia = gdi::CreateIconFromArgb(32, 32, a.data());
  const gdi::HICON ib = gdi::CreateIconFromArgb(32, 32, b.data());
  auto d = Record(ia);
  area.Shell_NotifyIconA(platform::NIM_ADD, &d);
  bool flip = false;
  for (auto _ : state) {
    d.hIcon = (flip = !flip) ? ib : ia;
    benchmark::DoNotOptimize(area.Shell_NotifyIconA(platform::NIM_MODIFY, &d));
  }
  gdi::DestroyIcon(ia);
  gdi::DestroyIcon(ib);
}
BENCHMARK(BM_ModifyNewPixels);

void BM_ScaleToEveryTraySize(benchmark::State& state) {
  const auto px = Bars(0xFF00FF00u);
  for (auto _ : state)
    for (int size : platform::kTrayIconSizes)
      benchmark::DoNotOptimize(platform::ScaleIconCrisp(px.data(), 32, 32, size, size));
}
BENCHMARK(BM_ScaleToEveryTraySize);

}  // namespace
