// Exports a QMenu over D-Bus as com.canonical.dbusmenu, for tray hosts that show an item's
// menu themselves: the same entries, enabled states, check marks and separators; a disabled
// heading keeps its text. Choosing an entry in the host triggers the QAction.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <memory>
#include <optional>
#include <string>

#include "platform/notification_area/bus_connection.h"
#include "platform/notification_area/dbus_types.h"
#include "platform/notification_area/request_budget.h"

class QAction;
class QMenu;

namespace platform {

class DBusMenuExporter : public QObject {
  Q_OBJECT

 public:
  explicit DBusMenuExporter(QObject* parent = nullptr);
  void SetMenu(QMenu* menu);  // may be null: an empty menu

  // The layout below parentId, depth levels deep (-1: all); names empty means every property.
  DBusMenuLayoutItem Layout(int parentId, int depth, const QStringList& names);
  QVariantMap Properties(int id, const QStringList& names);
  bool HasItem(int id);
  // Runs a host's event: "clicked" triggers the entry's action from the event loop. Clicks on
  // an entry that come faster than the event loop runs them make one trigger, not a queue.
  bool HandleEvent(int id, const QString& eventId);
  uint Revision() const { return revision_; }

 signals:
  void LayoutChanged(uint revision, int parent);
  // Entries whose properties changed while the layout stayed: the new values and the names
  // of properties that no longer apply.
  void PropertiesChanged(const QList<platform::DBusMenuItemProperties>& updated,
                         const QList<platform::DBusMenuItemKeys>& removed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int IdOf(QAction* action);
  QAction* ActionOf(int id);
  void Watch(QMenu* menu);
  void ScheduleUpdate();
  void Announce();
  // Every entry's properties and every entry's children, as last announced to hosts.
  struct Snapshot {
    QHash<int, QVariantMap> properties;
    QHash<int, QList<int>> children;
  };
  Snapshot Take();
  void Take(QMenu* menu, int parentId, Snapshot* out);

  const QVariantMap& CachedProperties(QAction* a, int id);
  DBusMenuLayoutItem BuildLayout(int parentId, int depth, const QStringList& names);

  QPointer<QMenu> menu_;
  // Properties as last built, per id; dropped whenever the menu changes.
  QHash<int, QVariantMap> properties_;
  // The latest layout asked for, which hosts ask for again and again.
  struct CachedLayout {
    int parentId = 0, depth = 0;
    QStringList names;
    DBusMenuLayoutItem item;
  };
  std::optional<CachedLayout> layout_;
  QSet<int> pendingClicks_;
  QHash<QAction*, int> ids_;
  QHash<int, QPointer<QAction>> actions_;
  int nextId_ = 1;
  uint revision_ = 1;
  bool updateScheduled_ = false;
  Snapshot announced_;
};

// The com.canonical.dbusmenu interface of an exporter on a bus connection. Requests naming an
// entry that does not exist, a property it does not have, or more entries than a menu could
// hold get a D-Bus error.
class DBusMenuService {
 public:
  DBusMenuService(std::shared_ptr<BusConnection> bus, DBusMenuExporter* exporter);
  ~DBusMenuService();
  DBusMenuService(const DBusMenuService&) = delete;
  DBusMenuService& operator=(const DBusMenuService&) = delete;

  // Puts the menu on the bus at path; false when the bus refuses it.
  bool Export(const char* path);

  DBusMenuExporter* Exporter() const { return exporter_; }
  // Hosts ask for the layout when it changes or a menu opens: a few times a second at most.
  // Faster requests (a flood) get a short error instead of replies the event loop cannot keep
  // up with.
  bool WithinBudget() { return layoutBudget_.Take(); }

 private:
  void EmitLayoutUpdated(uint revision, int parent);
  void EmitPropertiesUpdated(const QList<DBusMenuItemProperties>& updated,
                             const QList<DBusMenuItemKeys>& removed);

  std::shared_ptr<BusConnection> bus_;
  DBusMenuExporter* exporter_;
  std::string path_;
  BusSlot object_;
  QMetaObject::Connection layoutChanged_, propertiesChanged_;
  RequestBudget layoutBudget_{100, 200};
};

}  // namespace platform
