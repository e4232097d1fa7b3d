// The tray icon as a StatusNotifierItem on the session bus: the item and its menu as objects,
// registration with the StatusNotifierWatcher under the connection's unique name (kept
// registered while the watcher drops it), and the host's requests (Activate, ContextMenu)
// passed on as signals.
//
// The item's object on the bus lives on the bus connection's own thread: a host reading the
// item's properties (its pictures after each NewIcon) is answered there, without waking the
// program's thread, from values the program's thread publishes under a lock.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QMutex>
#include <QObject>

#include "platform/raster_graphics/gdi.h"
#include "platform/notification_area/dbus_types.h"
#include "platform/notification_area/request_budget.h"

class QMenu;
class QTimer;

namespace platform {

class DBusMenuExporter;

// What hosts read of the item. Written by the program's thread, read on the bus's thread.
class SniItemObject : public QObject {
  Q_OBJECT

 public:
  SniItemObject() = default;

  // The pictures hosts get are made from the icon at the first read after a change, once.
  void SetIcon(const gdi::IconImage& icon);
  void SetTitle(const QString& title);
  void SetStatus(const QString& status);
  void SetId(const QString& id);
  void SetAccessibleDesc(const QString& desc);

  QString Id() const;
  QString Title() const;
  QString Status() const;
  QString AccessibleDesc() const;
  // Asked for faster than any host needs (a host asks again on each NewIcon, a few times a
  // second), the answer is an empty list: replies of tens of kilobytes at the rate of a
  // request flood would queue without bound.
  SniIconPixmapList IconPixmap() const;
  SniToolTip ToolTip() const { return {QString(), {}, Title(), QString()}; }

 signals:
  // Relayed from the host's calls, on the bus's thread.
  void Activated();
  void ContextMenuRequested();

 private:
  mutable QMutex mutex_;
  gdi::IconImage icon_;
  mutable SniIconPixmapList pixmaps_;
  mutable bool pixmapsMade_ = true;
  QString id_, title_, status_ = QStringLiteral("Passive"), desc_;
  mutable RequestBudget pixmapBudget_{50, 100};
};

class SniItem : public QObject {
  Q_OBJECT

 public:
  explicit SniItem(QDBusConnection bus, QObject* parent = nullptr);
  ~SniItem() override;

  // Exports the objects, sets the item active and registers with the watcher. False when
  // the bus is not connected or refuses the objects.
  bool Show();
  // Sets the item passive (hosts stop showing it); the objects stay until destruction, so
  // hosts that still ask get answers.
  void Hide();
  bool Visible() const { return visible_; }
  QString ServiceName() const { return service_; }
  // Tells the watcher about the item again (a watcher that restarted has forgotten it).
  void RegisterWithWatcher();

  // Re-registration after the watcher dropped the item waits this long, doubling on each
  // drop that follows soon after, up to the longest.
  static constexpr int kReRegisterFirstMs = 500;
  static constexpr int kReRegisterLongestMs = 30000;
  static constexpr int kListedCheckMs = 1500;  // after a registration: is the item listed?

  void SetIcon(const gdi::IconImage& icon);  // announced with NewIcon when visible
  void SetTip(const QString& tip);           // announced with NewToolTip / NewTitle
  void SetMenu(QMenu* menu);

  QString Status() const;
  void SetAccessibleDesc(const QString& desc) { object_->SetAccessibleDesc(desc); }

 signals:
  void Activated();
  void ContextMenuRequested();
  // Relayed by the adaptor.
  void NewIcon();
  void NewToolTip();
  void NewTitle();
  void NewStatus(const QString& status);

 private slots:
  void OnItemUnregistered(const QString& name);

 private:
  void RegisterWithWatcher(int attemptsLeft);
  bool Names(const QString& listed) const;  // whether a watcher's entry is this item
  void CheckListed();
  void ScheduleReRegister();

  QDBusConnection bus_;
  SniItemObject* object_;  // on the bus's thread; deleted there
  DBusMenuExporter* menu_;
  QString service_;
  bool visible_ = false;
  bool exported_ = false;
  QString tip_;
  QTimer* reRegister_;
  int reRegisterDelayMs_ = kReRegisterFirstMs;
  QElapsedTimer sinceRegistered_;
};

class SniItemAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ Category)
  Q_PROPERTY(QString Id READ Id)
  Q_PROPERTY(QString Title READ Title)
  Q_PROPERTY(QString Status READ Status)
  Q_PROPERTY(int WindowId READ WindowId)
  Q_PROPERTY(QString IconThemePath READ Empty)
  Q_PROPERTY(QString IconName READ Empty)
  Q_PROPERTY(platform::SniIconPixmapList IconPixmap READ IconPixmap)
  Q_PROPERTY(QString OverlayIconName READ Empty)
  Q_PROPERTY(platform::SniIconPixmapList OverlayIconPixmap READ NoPixmaps)
  Q_PROPERTY(QString AttentionIconName READ Empty)
  Q_PROPERTY(platform::SniIconPixmapList AttentionIconPixmap READ NoPixmaps)
  Q_PROPERTY(QString AttentionMovieName READ Empty)
  Q_PROPERTY(QString IconAccessibleDesc READ AccessibleDesc)
  Q_PROPERTY(QString AttentionAccessibleDesc READ AccessibleDesc)
  Q_PROPERTY(platform::SniToolTip ToolTip READ ToolTip)
  Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
  Q_PROPERTY(QDBusObjectPath Menu READ Menu)

 public:
  explicit SniItemAdaptor(SniItemObject* item);
  QString Category() const { return QStringLiteral("ApplicationStatus"); }
  QString Id() const { return item_->Id(); }
  QString Title() const { return item_->Title(); }
  QString Status() const { return item_->Status(); }
  QString AccessibleDesc() const { return item_->AccessibleDesc(); }
  int WindowId() const { return 0; }
  QString Empty() const { return {}; }
  platform::SniIconPixmapList IconPixmap() const { return item_->IconPixmap(); }
  platform::SniIconPixmapList NoPixmaps() const { return {}; }
  platform::SniToolTip ToolTip() const { return item_->ToolTip(); }
  bool ItemIsMenu() const { return false; }
  QDBusObjectPath Menu() const { return QDBusObjectPath(QStringLiteral("/MenuBar")); }

 public slots:
  void Activate(int x, int y);
  void ContextMenu(int x, int y);
  void SecondaryActivate(int x, int y);
  void Scroll(int delta, const QString& orientation);

 signals:
  void NewTitle();
  void NewIcon();
  void NewAttentionIcon();
  void NewOverlayIcon();
  void NewToolTip();
  void NewStatus(const QString& status);

 private:
  SniItemObject* item_;
};

}  // namespace platform
