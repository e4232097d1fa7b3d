// One icon in the desktop's notification area (system tray), on whichever kind of tray host
// the desktop has, chosen again whenever hosts come and go: a StatusNotifierItem host on the
// session bus when one is registered, else an XEmbed tray when one runs (also when the bus
// has a watcher but no host). Without any host a visible icon waits and appears when one
// starts.
//
// The user's gestures on the icon come out as the same signals whatever the host: an XEmbed
// tray's left double-click and a host's activation are both Activated. Signals are emitted as
// the host's request is handled; a receiver that runs long or opens a nested event loop
// should queue its work.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "platform/tray_host/bus_connection.h"
#include "platform/tray_host/tray_menu.h"
#include "platform/tray_host/tray_picture.h"

namespace platform {

class SniItem;
class SniWatcherTracker;
class XEmbedTrayIcon;

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  enum class Host { None, StatusNotifier, XEmbed };

  // bus: the session bus, or null without one (only an XEmbed tray can show the icon).
  explicit TrayIcon(std::shared_ptr<BusConnection> bus, QObject* parent = nullptr);
  // An icon on the user's session bus (or on none when it cannot be reached).
  static std::shared_ptr<TrayIcon> OnSessionBus();
  ~TrayIcon() override;

  // What the icon shows. A new picture is sent to the host at once: set it when its pixels
  // change. The tooltip and description (words a screen reader can speak) are plain text.
  void SetPicture(const TrayPicture& picture);
  void SetToolTip(const QString& tip);
  void SetDescription(const QString& text);
  // The menu that hosts showing an item's menu themselves show, followed as its entries
  // change. May be null; a menu destroyed meanwhile counts as none.
  void SetMenu(TrayMenu* menu);

  // Whether the icon is wanted in the notification area. Not visible, it is on no host.
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  Host CurrentHost() const { return host_; }
  // Whether a host shows the visible icon now.
  bool HostPresent() const;

 signals:
  void Activated();
  void ContextMenuRequested();
  // delta as the host measures it (an XEmbed tray's wheel notch: 120, away from the user
  // positive).
  void Scrolled(int delta, Qt::Orientation orientation);
  void HostPresenceChanged(bool present);

 private:
  void Decide();
  void ChooseHost();

  SniItem* sni_;
  SniWatcherTracker* watcher_;
  XEmbedTrayIcon* xembed_;
  TrayPicture picture_;
  bool visible_ = false;
  Host host_ = Host::None;
};

}  // namespace platform
