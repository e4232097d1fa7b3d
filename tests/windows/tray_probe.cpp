// A probe of the Windows backends together, for a person to watch under Wine: the two-bar
// icon in the notification area, its bars following processors 0 and 1 every 500 ms, for the
// number of seconds given (default 10). Callbacks are printed as they come.
// Our headers first: the system's define some of the names they declare as macros.
#include "platform/notification_area/desktop_tray.h"
#include "platform/performance_data/pdh.h"
#include "platform/raster_graphics/picture_surface.h"
#include "sampling/counter_path.h"
#include "sampling/counter_status.h"
#include "tray/bar_icon.h"
#include "tray/colour_themes.h"
#include "tray/notify_record.h"
#include "window/pictures.h"

namespace {
constexpr std::uint32_t kAdd = platform::NIM_ADD, kModify = platform::NIM_MODIFY, kDelete = platform::NIM_DELETE;
}  // namespace

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  platform::PerformanceData pdh;
  platform::PDH_HQUERY query = 0;
  if (pdh.PdhOpenQuery(nullptr, 1, &query) != 0) return 2;
  platform::PDH_HCOUNTER counters[2] = {};
  for (int i = 0; i < 2; ++i) pdh.PdhVbAddCounter(query, sampling::GetCounterPath(pdh, i).c_str(), &counters[i]);

  platform::PictureSurface dualColor(32, 32, 0), dualBlank(32, 32, 0), templ(32, 32, 0), working(32, 32, 0);
  dualColor.SetPicture(window::DualColorPicture());
  dualBlank.SetPicture(window::DualBlankPicture());
  tray::RecolourBars(dualColor, tray::IconColour(2));
  templ.SetPicture(dualColor.Image());

  auto area = platform::OpenDesktopTray(nullptr, "").area;
  area->SetCallback([](std::uint32_t, std::uint32_t, std::uint32_t mouse) {
    std::printf("callback %u\n", static_cast<unsigned>(mouse));
    std::fflush(stdout);
  });
  // The program's own icon from its resources, at the sizes the system asks for.
  for (int size : {16, 32, 48}) {
    HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
    std::printf("resource icon %d: %s\n", size, icon != nullptr ? "loaded" : "missing");
    if (icon != nullptr) ::DestroyIcon(static_cast<HICON>(icon));
  }
  const gdi::HICON windowIcon = window::CreateWindowIcon();
  platform::NOTIFYICONDATAA record = tray::MakeNotifyData(1, windowIcon);
  std::printf("add %s\n", area->Shell_NotifyIconA(kAdd, &record) ? "ok" : "failed");
  std::fflush(stdout);

  ::SetTimer(nullptr, 0, 500, nullptr);
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  MSG msg;
  while (::GetTickCount64() < end && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
      tray::ResetBarIcon(templ, working);
      pdh.PdhCollectQueryData(query);
      for (int i = 0; i < 2; ++i) {
        platform::PDH_STATUS status = 0;
        const double reading = pdh.PdhVbGetDoubleCounterValue(counters[i], &status);
        if (sampling::IsValidCounterStatus(status)) tray::DrawBar(working, dualBlank, i, reading);
        std::printf("cpu%d %.1f status %#x\n", i, reading, static_cast<unsigned>(status));
      }
      std::fflush(stdout);
      if (const gdi::HICON icon = tray::ComposeIcon(working)) {
        record.hIcon = icon;
        area->Shell_NotifyIconA(kModify, &record);
        gdi::DestroyIcon(icon);
      }
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  area->Shell_NotifyIconA(kDelete, &record);
  pdh.PdhCloseQuery(query);
  return 0;
}
