// The desktop's notification area: keeps the one icon from the add / modify / delete
// requests and shows it on whichever kind of tray host the desktop has, re-deciding whenever
// hosts come and go. A StatusNotifierItem host on the session bus is preferred when one is
// registered; an XEmbed tray is used when it is the only host (or the bus has a watcher but
// no host). Without any host the icon waits and appears when one starts.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "platform/notification_area/bus_connection.h"
#include "platform/notification_area/callback_queue.h"
#include "platform/notification_area/icon_state.h"
#include "platform/notification_area/notify_icon.h"

namespace platform {

class SniItem;
class SniWatcherTracker;
class XEmbedTrayIcon;

class DesktopNotificationArea : public QObject, public NotificationArea {
  Q_OBJECT

 public:
  enum class Host { None, StatusNotifier, XEmbed };

  // bus: the session bus, or null without one (only an XEmbed tray can show the icon).
  explicit DesktopNotificationArea(std::shared_ptr<BusConnection> bus);
  ~DesktopNotificationArea() override;

  bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATAA* data) override;
  void SetExportedMenu(QMenu* menu) override;
  void SetIconDescription(const std::string& text) override;
  Host CurrentHost() const { return host_; }
  bool HostPresent() const override;

 private:
  void Decide();
  void ChooseHost();
  void Deliver(std::uint32_t mouse);

  NotifyIconState state_;
  SniItem* sni_;
  SniWatcherTracker* watcher_;
  XEmbedTrayIcon* xembed_;
  TrayCallbackQueue callbacks_;
  Host host_ = Host::None;
};

}  // namespace platform
