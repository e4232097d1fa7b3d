// The desktop's notification area (system tray) in the shape of the shell's notify-icon
// requests: one 88-byte record, add / modify / delete, and callbacks reported as the mouse
// message numbers 515 (open: double-click or the host's activation) and 517 (menu).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/raster_graphics/gdi.h"

namespace platform {

inline constexpr std::uint32_t NIM_ADD = 0;
inline constexpr std::uint32_t NIM_MODIFY = 1;
inline constexpr std::uint32_t NIM_DELETE = 2;
inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x200;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x203;  // 515
inline constexpr std::uint32_t WM_RBUTTONUP = 0x205;      // 517

#pragma pack(push, 1)
struct NOTIFYICONDATAA {
  std::uint32_t cbSize;
  std::uint32_t hWnd;
  std::uint32_t uID;
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  std::uint32_t hIcon;
  char szTip[64];
};
#pragma pack(pop)
static_assert(sizeof(NOTIFYICONDATAA) == 88);
static_assert(offsetof(NOTIFYICONDATAA, cbSize) == 0);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4);
static_assert(offsetof(NOTIFYICONDATAA, uID) == 8);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == 12);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == 20);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == 24);

class NotificationArea {
 public:
  // Receives (window handle, callback message, mouse message) for each callback.
  using Callback = std::function<void(std::uint32_t hWnd, std::uint32_t message, std::uint32_t mouse)>;
  virtual ~NotificationArea() = default;
  // Add, modify or delete the icon the record names. The icon is copied: the caller may destroy
  // its handle as soon as the call returns. Returns true on success.
  virtual bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATAA* data) = 0;
  void SetCallback(Callback cb) { callback_ = std::move(cb); }

 protected:
  void Notify(std::uint32_t hWnd, std::uint32_t message, std::uint32_t mouse) {
    if (callback_) callback_(hWnd, message, mouse);
  }

 private:
  Callback callback_;
};

}  // namespace platform
