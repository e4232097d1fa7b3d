// A QMenu as the com.canonical.dbusmenu model sees it, for tray hosts that show an item's menu
// themselves: entries with stable ids, their properties (the same labels, enabled states,
// check marks and separators; a disabled heading keeps its text), layouts below an entry,
// and a revision that changes with the layout. Choosing an entry in the host triggers the
// QAction. What is served on the bus, and how, is DBusMenuService's.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <optional>

#include "platform/tray_host/dbus_types.h"

class QAction;
class QMenu;

namespace platform {

class DBusMenuModel : public QObject {
  Q_OBJECT

 public:
  explicit DBusMenuModel(QObject* parent = nullptr);
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

}  // namespace platform
