// The window laid out for the DPI of the monitor it is on: the program's places are 96-dpi
// pixels (display_scale.h scales them), the window system's are the monitor's own.
#include "platform/window_system/display_scale.h"
#include "platform/window_system/native_win.h"

namespace platform {

int WindowDpi(HWND hwnd) {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  const UINT dpi = GetDpiForWindow(top != nullptr ? top : hwnd);
  return dpi > 0 ? static_cast<int>(dpi) : kBaseDpi;
}

void PlaceControl(NativeControl& c) {
  const Rect r = ScaleRect(c.place, WindowDpi(c.hwnd), c.originX, c.originY);
  MoveWindow(c.hwnd, r.x, r.y, r.width, r.height, TRUE);
}

void LayOutControls(HWND form) {
  EnumChildWindows(
      form,
      [](HWND child, LPARAM) -> BOOL {
        if (NativeControl* c = ControlOf(child)) {
          PlaceControl(*c);
          ApplyFont(*c);
        }
        return TRUE;
      },
      0);
  InvalidateRect(form, nullptr, TRUE);
}

}  // namespace platform
