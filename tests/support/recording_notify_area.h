// A notification area that shows nothing: it keeps every request it receives (with a copy of
// the icon's pixels, taken before the caller destroys the icon) and lets a test fire the
// callbacks a tray host would send; and tray hosts that come and go as a test says.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/raster_graphics/gdi.h"
#include "platform/notification_area/notify_icon.h"
#include "platform/notification_area/tray_host_presence.h"

namespace platform {

class RecordingNotificationArea : public NotificationArea {
 public:
  struct Request {
    std::uint32_t message = 0;
    NOTIFYICONDATAA data{};
    bool iconRead = false;  // false when the record named no readable icon
    gdi::IconImage icon;
  };

  bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATAA* data) override;

  // Sends a callback as a host would: the window and callback message of the latest record
  // that carried them, and the given mouse message (515, 517, ...).
  void Fire(std::uint32_t mouse);

  // Called with each request's message as it arrives, before it is recorded.
  void SetObserver(std::function<void(std::uint32_t message)> observer) { observer_ = std::move(observer); }

  const std::vector<Request>& Requests() const { return requests_; }
  // Whether an icon is currently shown: after a successful add, until a delete.
  bool Shown() const { return shown_; }

 private:
  std::vector<Request> requests_;
  std::function<void(std::uint32_t)> observer_;
  bool shown_ = false;
  std::uint32_t hWnd_ = 0;
  std::uint32_t callbackMessage_ = 0;
};

class RecordingTrayHosts : public TrayHostPresence {
 public:
  // A tray host appears or goes, as the desktop's would.
  void SetHostPresent(bool present) {
    present_ = present;
    NotifyHost(present);
  }
  bool HostPresent() const override { return present_; }

 private:
  bool present_ = true;
};

}  // namespace platform
