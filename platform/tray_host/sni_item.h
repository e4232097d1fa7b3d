// The tray icon as a StatusNotifierItem on the session bus: the item and its menu as objects,
// registration with the StatusNotifierWatcher under the connection's unique name (kept
// registered while the watcher drops it), and the host's requests (Activate, ContextMenu,
// Scroll) passed on as signals.
//
// Served from the program's event loop: a new picture is announced with NewIcon as it is
// set, and a host's read of the pictures is answered as it arrives, from pictures made once
// per change.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <memory>
#include <string>
#include <string_view>

#include "platform/tray_host/bus_connection.h"
#include "platform/tray_host/dbus_types.h"
#include "platform/tray_host/request_budget.h"
#include "platform/tray_host/tray_picture.h"

class QTimer;

namespace platform {

class DBusMenuModel;
class DBusMenuService;
class TrayMenu;

class SniItem : public QObject {
  Q_OBJECT

 public:
  // bus may be null or disconnected: the item then never shows.
  explicit SniItem(std::shared_ptr<BusConnection> bus, QObject* parent = nullptr);
  ~SniItem() override;

  // Exports the objects, sets the item active and registers with the watcher. False when
  // the bus is not connected or refuses the objects.
  bool Show();
  // Sets the item passive (hosts stop showing it); the objects stay until destruction, so
  // hosts that still ask get answers. Hosts are told after kPassiveDelayMs: a program that
  // removes its icon on its way out has left the bus by then, which tells them all. (A status
  // change just before an item leaves starts work in a host that the leaving then cancels;
  // GNOME Shell's extension logs an error for each.) Destruction announces nothing.
  void Hide();
  static constexpr int kPassiveDelayMs = 300;
  bool Visible() const { return visible_; }
  QString ServiceName() const { return QString::fromStdString(service_); }
  // Tells the watcher about the item again (a watcher that restarted has forgotten it).
  void RegisterWithWatcher();

  // Re-registration after the watcher dropped the item waits this long, doubling on each
  // drop that follows soon after, up to the longest.
  static constexpr int kReRegisterFirstMs = 500;
  static constexpr int kReRegisterLongestMs = 30000;
  static constexpr int kListedCheckMs = 1500;  // after a registration: is the item listed?

  void SetIcon(const TrayPicture& icon);  // announced with NewIcon when visible
  void SetTip(const QString& tip);           // announced with NewToolTip / NewTitle
  void SetMenu(TrayMenu* menu);
  void SetAccessibleDesc(const QString& desc) { desc_ = desc.toStdString(); }

  QString Status() const;

  // The pictures for a caller (its unique bus name), made once per change; null when that
  // caller asks faster than any host needs (a host asks again on each NewIcon, a few times a
  // second): replies of tens of kilobytes at the rate of a request flood would cost the
  // program its time and queue without bound. Other callers still get them.
  const SniIconPixmapList* IconPixmap(std::string_view caller);
  std::string StringProperty(const char* name) const;

 signals:
  void Activated();
  void ContextMenuRequested();
  void Scrolled(int delta, Qt::Orientation orientation);

 private:
  void RegisterWithWatcher(int attemptsLeft);
  bool Names(const std::string& listed) const;  // whether a watcher's entry is this item
  void OnItemUnregistered(const std::string& name);
  void CheckListed();
  void ScheduleReRegister();
  void Emit(const char* signal) const;
  void EmitStatus() const;

  std::shared_ptr<BusConnection> bus_;
  DBusMenuModel* menu_;
  std::unique_ptr<DBusMenuService> menuService_;
  BusSlot object_, unregistered_;
  std::string id_, title_, desc_, service_;
  QString tip_;
  TrayPicture icon_;
  SniIconPixmapList pixmaps_;
  bool pixmapsMade_ = true;
  CallerBudgets pixmapBudgets_{20, 40};
  bool visible_ = false;
  QTimer* reRegister_;
  QTimer* announcePassive_;
  int reRegisterDelayMs_ = kReRegisterFirstMs;
  QElapsedTimer sinceRegistered_;
};

}  // namespace platform
