#include "platform/window_system/x11_wm_hints_unix.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

namespace platform {

void SetNormalInitialState(WId window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr || window == 0) return;
  xcb_connection_t* conn = x11->connection();
  const auto id = static_cast<xcb_window_t>(window);
  // WM_HINTS: flags, input, initial_state, icon pixmap, icon window, icon x, icon y, icon mask,
  // window group (ICCCM 4.1.2.4).
  constexpr std::uint32_t kStateHint = 2;
  constexpr std::uint32_t kNormalState = 1;
  std::array<std::uint32_t, 9> hints{};
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(conn, xcb_get_property(conn, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr);
  if (reply != nullptr) {
    const int bytes = xcb_get_property_value_length(reply);
    if (reply->format == 32 && bytes > 0)
      std::memcpy(hints.data(), xcb_get_property_value(reply), std::min<std::size_t>(bytes, sizeof hints));
    std::free(reply);
  }
  hints[0] |= kStateHint;
  hints[2] = kNormalState;
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                      static_cast<std::uint32_t>(hints.size()), hints.data());
  xcb_flush(conn);
}

}  // namespace platform
