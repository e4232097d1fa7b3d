// A tray menu as the com.canonical.dbusmenu model sees it, for tray hosts that show an item's
// menu themselves: entries under the root with their ids, their properties (labels, enabled
// states, check marks and separators), and a revision that changes with the layout. Choosing
// an entry in the host runs its activation. What is served on the bus, and how, is
// DBusMenuService's.
#pragma once

#include <QHash>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <optional>

#include "platform/tray_host/dbus_types.h"
#include "platform/tray_host/tray_menu.h"

namespace platform {

class DBusMenuModel : public QObject {
  Q_OBJECT

 public:
  explicit DBusMenuModel(QObject* parent = nullptr);
  void SetMenu(TrayMenu* menu);  // may be null: an empty menu; a menu destroyed counts as none

  // The layout below parentId, depth levels deep (-1: all); names empty means every property.
  DBusMenuLayoutItem Layout(int parentId, int depth, const QStringList& names);
  QVariantMap Properties(int id, const QStringList& names) const;
  bool HasItem(int id) const { return id == 0 || now_.properties.contains(id); }
  // Runs a host's event: "clicked" runs the entry's activation from the event loop. Clicks on
  // an entry that come faster than the event loop runs them make one activation, not a queue.
  bool HandleEvent(int id, const QString& eventId);
  uint Revision() const { return revision_; }

 signals:
  void LayoutChanged(uint revision, int parent);
  // Entries whose properties changed while the layout stayed: the new values and the names
  // of properties that no longer apply.
  void PropertiesChanged(const QList<platform::DBusMenuItemProperties>& updated,
                         const QList<platform::DBusMenuItemKeys>& removed);

 private:
  // The entries in menu order and each one's properties.
  struct Snapshot {
    QList<int> ids;
    QHash<int, QVariantMap> properties;
  };
  Snapshot Take() const;
  void ScheduleUpdate();
  void Announce();

  QPointer<TrayMenu> menu_;
  QMetaObject::Connection changed_, destroyed_;
  Snapshot now_, announced_;
  // The latest layout asked for, which hosts ask for again and again.
  struct CachedLayout {
    int parentId = 0, depth = 0;
    QStringList names;
    DBusMenuLayoutItem item;
  };
  std::optional<CachedLayout> layout_;
  QSet<int> pendingClicks_;
  uint revision_ = 1;
  bool updateScheduled_ = false;
};

}  // namespace platform
