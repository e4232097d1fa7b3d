// Serves a menu model on a bus connection as com.canonical.dbusmenu: answers hosts' requests
// from the model and announces its changes as signals.
#pragma once

#include <QMetaObject>
#include <memory>
#include <string>
#include <string_view>

#include "platform/tray_host/bus_connection.h"
#include "platform/tray_host/dbus_menu_model.h"
#include "platform/tray_host/request_budget.h"

namespace platform {

// Requests naming an
// entry that does not exist, a property it does not have, or more entries than a menu could
// hold get a D-Bus error.
class DBusMenuService {
 public:
  DBusMenuService(std::shared_ptr<BusConnection> bus, DBusMenuModel* model);
  ~DBusMenuService();
  DBusMenuService(const DBusMenuService&) = delete;
  DBusMenuService& operator=(const DBusMenuService&) = delete;

  // Puts the menu on the bus at path; false when the bus refuses it.
  bool Export(const char* path);

  DBusMenuModel* Model() const { return model_; }
  // Hosts ask for the layout when it changes or a menu opens: a few times a second at most.
  // A caller (its unique bus name) asking faster (a flood) gets a short error instead of
  // replies the event loop cannot keep up with; other callers still get the menu.
  bool WithinBudget(std::string_view caller) { return layoutBudgets_.Take(caller); }

 private:
  void EmitLayoutUpdated(uint revision, int parent);
  void EmitPropertiesUpdated(const QList<DBusMenuItemProperties>& updated,
                             const QList<DBusMenuItemKeys>& removed);

  std::shared_ptr<BusConnection> bus_;
  DBusMenuModel* model_;
  std::string path_;
  BusSlot object_;
  QMetaObject::Connection layoutChanged_, propertiesChanged_;
  CallerBudgets layoutBudgets_{20, 40};
};

}  // namespace platform
