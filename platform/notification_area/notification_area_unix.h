// The notification area on the desktop's tray hosts: the one icon is shown through a tray
// icon of the tray-host library, whose activation and context-menu request come back as the
// Open and Menu requests.
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "platform/notification_area/callback_queue_unix.h"
#include "platform/notification_area/notification_area.h"
#include "platform/tray_host/tray_icon.h"

namespace platform {

class DesktopNotificationArea : public QObject, public NotificationArea {
  Q_OBJECT

 public:
  explicit DesktopNotificationArea(std::shared_ptr<TrayIcon> icon);

  using NotificationArea::Show;
  // The tray hosts draw every picture by plain centre sampling: lines are not asked for.
  void Show(const Picture& picture, const std::string& tooltip, const PictureLines& lines) override;
  void Remove() override;
  bool HostPresent() const override { return icon_->HostPresent(); }
  TrayIcon& Icon() const { return *icon_; }

 private:
  std::shared_ptr<TrayIcon> icon_;
  bool shown_ = false;
  std::string tooltip_;
  Picture picture_;  // kept, so a new picture reuses its storage
  TrayCallbackQueue requests_;
};

}  // namespace platform
