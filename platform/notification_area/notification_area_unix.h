// The notify-icon requests on the desktop's tray hosts: the one icon kept from the add /
// modify / delete requests is shown through a tray icon of the tray-host library, and the
// icon's activation and context-menu request come back as the callbacks 515 and 517.
#pragma once

#include <QObject>
#include <memory>

#include "platform/notification_area/callback_queue_unix.h"
#include "platform/notification_area/icon_state.h"
#include "platform/notification_area/notify_icon.h"
#include "platform/tray_host/tray_icon.h"

namespace platform {

class DesktopNotificationArea : public QObject, public NotificationArea {
  Q_OBJECT

 public:
  explicit DesktopNotificationArea(std::shared_ptr<TrayIcon> icon);

  bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATAA* data) override;
  TrayIcon& Icon() const { return *icon_; }

 private:
  void Deliver(std::uint32_t mouse);

  std::shared_ptr<TrayIcon> icon_;
  NotifyIconState state_;
  TrayPicture picture_;  // kept, so a new picture reuses its storage
  TrayCallbackQueue callbacks_;
};

}  // namespace platform
