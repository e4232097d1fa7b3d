#include "platform/tray_host/dbus_menu_service.h"

#include <systemd/sd-bus.h>

#include <functional>

namespace platform {

namespace {

// Far more entries than any menu has: a longer list in one request is refused unread.
constexpr qsizetype kMaxIdsPerRequest = 1024;
constexpr qsizetype kMaxNamesPerRequest = 64;

DBusMenuService* Service(void* userdata) { return static_cast<DBusMenuService*>(userdata); }

// The caller's unique bus name, whose budget a request is counted against.
std::string_view Sender(sd_bus_message* m) {
  const char* sender = sd_bus_message_get_sender(m);
  return sender ? sender : "";
}

int Refuse(sd_bus_error* error, const QString& why) {
  return sd_bus_error_set(error, "org.freedesktop.DBus.Error.InvalidArgs", why.toUtf8().constData());
}

int TooMany(sd_bus_error* error) {
  return sd_bus_error_set(error, "org.freedesktop.DBus.Error.LimitsExceeded", "Too many requests; ask again later");
}

int AppendVariant(sd_bus_message* m, const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Bool:
      return sd_bus_message_append(m, "v", "b", static_cast<int>(v.toBool()));
    case QMetaType::Int:
      return sd_bus_message_append(m, "v", "i", v.toInt());
    default:
      return sd_bus_message_append(m, "v", "s", v.toString().toUtf8().constData());
  }
}

int AppendProperties(sd_bus_message* m, const QVariantMap& properties) {
  int r = sd_bus_message_open_container(m, 'a', "{sv}");
  for (auto it = properties.cbegin(); r >= 0 && it != properties.cend(); ++it) {
    r = sd_bus_message_open_container(m, 'e', "sv");
    if (r >= 0) r = sd_bus_message_append(m, "s", it.key().toUtf8().constData());
    if (r >= 0) r = AppendVariant(m, it.value());
    if (r >= 0) r = sd_bus_message_close_container(m);
  }
  return r >= 0 ? sd_bus_message_close_container(m) : r;
}

// (ia{sv}av): the children travel as variants, each holding the same structure.
int AppendLayout(sd_bus_message* m, const DBusMenuLayoutItem& item) {
  int r = sd_bus_message_open_container(m, 'r', "ia{sv}av");
  if (r >= 0) r = sd_bus_message_append(m, "i", item.id);
  if (r >= 0) r = AppendProperties(m, item.properties);
  if (r >= 0) r = sd_bus_message_open_container(m, 'a', "v");
  for (const DBusMenuLayoutItem& child : item.children) {
    if (r >= 0) r = sd_bus_message_open_container(m, 'v', "(ia{sv}av)");
    if (r >= 0) r = AppendLayout(m, child);
    if (r >= 0) r = sd_bus_message_close_container(m);
  }
  if (r >= 0) r = sd_bus_message_close_container(m);
  return r >= 0 ? sd_bus_message_close_container(m) : r;
}

int AppendGroup(sd_bus_message* m, const QList<DBusMenuItemProperties>& items) {
  int r = sd_bus_message_open_container(m, 'a', "(ia{sv})");
  for (const DBusMenuItemProperties& p : items) {
    if (r >= 0) r = sd_bus_message_open_container(m, 'r', "ia{sv}");
    if (r >= 0) r = sd_bus_message_append(m, "i", p.id);
    if (r >= 0) r = AppendProperties(m, p.properties);
    if (r >= 0) r = sd_bus_message_close_container(m);
  }
  return r >= 0 ? sd_bus_message_close_container(m) : r;
}

int AppendInts(sd_bus_message* m, const QList<int>& ints) {
  return sd_bus_message_append_array(m, 'i', ints.constData(), ints.size() * sizeof(int));
}

// Reads an "as" argument.
int ReadStrings(sd_bus_message* m, QStringList* out) {
  char** strv = nullptr;
  const int r = sd_bus_message_read_strv(m, &strv);
  for (char** s = strv; s && *s; ++s) {
    out->append(QString::fromUtf8(*s));
    free(*s);
  }
  free(strv);
  return r;
}

// Reads an "ai" argument.
int ReadInts(sd_bus_message* m, QList<int>* out) {
  const void* data = nullptr;
  size_t size = 0;
  const int r = sd_bus_message_read_array(m, 'i', &data, &size);
  if (r < 0) return r;
  const int* ints = static_cast<const int*>(data);
  *out = QList<int>(ints, ints + size / sizeof(int));
  return r;
}

int Reply(sd_bus_message* call, const std::function<int(sd_bus_message*)>& fill) {
  sd_bus_message* reply = nullptr;
  int r = sd_bus_message_new_method_return(call, &reply);
  if (r >= 0) r = fill(reply);
  if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
  sd_bus_message_unref(reply);
  return r;
}

int OnGetLayout(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  int parentId = 0, depth = 0;
  QStringList names;
  int r = sd_bus_message_read(m, "ii", &parentId, &depth);
  if (r >= 0) r = ReadStrings(m, &names);
  if (r < 0) return r;
  DBusMenuService* s = Service(userdata);
  if (!s->WithinBudget(Sender(m))) return TooMany(error);
  if (names.size() > kMaxNamesPerRequest) return Refuse(error, QStringLiteral("Too many property names"));
  DBusMenuModel* ex = s->Model();
  if (!ex->HasItem(parentId)) return Refuse(error, QStringLiteral("No menu item with id %1").arg(parentId));
  const DBusMenuLayoutItem layout = ex->Layout(parentId, depth, names);
  return Reply(m, [&](sd_bus_message* reply) {
    const int a = sd_bus_message_append(reply, "u", ex->Revision());
    return a >= 0 ? AppendLayout(reply, layout) : a;
  });
}

int OnGetGroupProperties(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  QList<int> ids;
  QStringList names;
  int r = ReadInts(m, &ids);
  if (r >= 0) r = ReadStrings(m, &names);
  if (r < 0) return r;
  DBusMenuService* s = Service(userdata);
  if (!s->WithinBudget(Sender(m))) return TooMany(error);
  if (ids.size() > kMaxIdsPerRequest || names.size() > kMaxNamesPerRequest)
    return Refuse(error, QStringLiteral("Too many ids or property names"));
  QList<DBusMenuItemProperties> out;
  for (int id : ids)
    if (s->Model()->HasItem(id)) out.append({id, s->Model()->Properties(id, names)});
  return Reply(m, [&](sd_bus_message* reply) { return AppendGroup(reply, out); });
}

int OnGetProperty(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  int id = 0;
  const char* name = nullptr;
  if (int r = sd_bus_message_read(m, "is", &id, &name); r < 0) return r;
  DBusMenuModel* ex = Service(userdata)->Model();
  if (!ex->HasItem(id)) return Refuse(error, QStringLiteral("No menu item with id %1").arg(id));
  const QString key = QString::fromUtf8(name);
  const QVariantMap p = ex->Properties(id, {key});
  auto it = p.find(key);
  if (it == p.end())
    return Refuse(error, QStringLiteral("Menu item %1 has no property \"%2\"").arg(id).arg(key.left(64)));
  return Reply(m, [&](sd_bus_message* reply) { return AppendVariant(reply, it.value()); });
}

int OnEvent(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  int id = 0;
  const char* eventId = nullptr;
  unsigned timestamp = 0;
  int r = sd_bus_message_read(m, "is", &id, &eventId);
  if (r >= 0) r = sd_bus_message_skip(m, "v");
  if (r >= 0) r = sd_bus_message_read(m, "u", &timestamp);
  if (r < 0) return r;
  if (!Service(userdata)->Model()->HandleEvent(id, QString::fromUtf8(eventId)))
    return Refuse(error, QStringLiteral("No menu item with id %1").arg(id));
  return sd_bus_reply_method_return(m, "");
}

int OnEventGroup(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  QList<int> errors;
  qsizetype count = 0;
  int r = sd_bus_message_enter_container(m, 'a', "(isvu)");
  while (r >= 0 && (r = sd_bus_message_enter_container(m, 'r', "isvu")) > 0) {
    if (++count > kMaxIdsPerRequest) return Refuse(error, QStringLiteral("Too many events"));
    int id = 0;
    const char* eventId = nullptr;
    unsigned timestamp = 0;
    r = sd_bus_message_read(m, "is", &id, &eventId);
    if (r >= 0) r = sd_bus_message_skip(m, "v");
    if (r >= 0) r = sd_bus_message_read(m, "u", &timestamp);
    if (r >= 0) r = sd_bus_message_exit_container(m);
    if (r >= 0 && !Service(userdata)->Model()->HandleEvent(id, QString::fromUtf8(eventId)))
      errors.append(id);
  }
  if (r >= 0) r = sd_bus_message_exit_container(m);
  if (r < 0) return r;
  // Every event naming an unknown item: the whole group is an error, as a single Event is.
  if (count > 0 && errors.size() == count) return Refuse(error, QStringLiteral("No menu item with the ids given"));
  return Reply(m, [&](sd_bus_message* reply) { return AppendInts(reply, errors); });
}

int OnAboutToShow(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  int id = 0;
  if (int r = sd_bus_message_read(m, "i", &id); r < 0) return r;
  if (!Service(userdata)->Model()->HasItem(id))
    return Refuse(error, QStringLiteral("No menu item with id %1").arg(id));
  return sd_bus_reply_method_return(m, "b", 0);
}

int OnAboutToShowGroup(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  QList<int> ids;
  if (int r = ReadInts(m, &ids); r < 0) return r;
  if (ids.size() > kMaxIdsPerRequest) return Refuse(error, QStringLiteral("Too many ids"));
  QList<int> idErrors;
  for (int id : ids)
    if (!Service(userdata)->Model()->HasItem(id)) idErrors.append(id);
  if (!ids.isEmpty() && idErrors.size() == ids.size())
    return Refuse(error, QStringLiteral("No menu item with the ids given"));
  return Reply(m, [&](sd_bus_message* reply) {
    const int r = AppendInts(reply, {});
    return r >= 0 ? AppendInts(reply, idErrors) : r;
  });
}

int GetVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
  return sd_bus_message_append(reply, "u", 3u);
}

int GetTextDirection(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                     sd_bus_error*) {
  return sd_bus_message_append(reply, "s", "ltr");
}

int GetStatus(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
  return sd_bus_message_append(reply, "s", "normal");
}

int GetIconThemePath(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                     sd_bus_error*) {
  return sd_bus_message_append(reply, "as", 0);
}

const sd_bus_vtable kMenuVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Version", "u", GetVersion, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("TextDirection", "s", GetTextDirection, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Status", "s", GetStatus, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconThemePath", "as", GetIconThemePath, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_METHOD("GetLayout", "iias", "u(ia{sv}av)", OnGetLayout, 0),
    SD_BUS_METHOD("GetGroupProperties", "aias", "a(ia{sv})", OnGetGroupProperties, 0),
    SD_BUS_METHOD("GetProperty", "is", "v", OnGetProperty, 0),
    SD_BUS_METHOD("Event", "isvu", "", OnEvent, 0),
    SD_BUS_METHOD("EventGroup", "a(isvu)", "ai", OnEventGroup, 0),
    SD_BUS_METHOD("AboutToShow", "i", "b", OnAboutToShow, 0),
    SD_BUS_METHOD("AboutToShowGroup", "ai", "aiai", OnAboutToShowGroup, 0),
    SD_BUS_SIGNAL("ItemsPropertiesUpdated", "a(ia{sv})a(ias)", 0),
    SD_BUS_SIGNAL("LayoutUpdated", "ui", 0),
    SD_BUS_SIGNAL("ItemActivationRequested", "iu", 0),
    SD_BUS_VTABLE_END};

constexpr const char* kMenuInterface = "com.canonical.dbusmenu";

}  // namespace

DBusMenuService::DBusMenuService(std::shared_ptr<BusConnection> bus, DBusMenuModel* model)
    : bus_(std::move(bus)), model_(model) {
  layoutChanged_ = QObject::connect(model_, &DBusMenuModel::LayoutChanged, model_,
                                    [this](uint revision, int parent) { EmitLayoutUpdated(revision, parent); });
  propertiesChanged_ = QObject::connect(
      model_, &DBusMenuModel::PropertiesChanged, model_,
      [this](const auto& updated, const auto& removed) { EmitPropertiesUpdated(updated, removed); });
}

DBusMenuService::~DBusMenuService() {
  QObject::disconnect(layoutChanged_);
  QObject::disconnect(propertiesChanged_);
}

bool DBusMenuService::Export(const char* path) {
  sd_bus_slot* slot = nullptr;
  if (!bus_ || sd_bus_add_object_vtable(bus_->Bus(), &slot, path, kMenuInterface, kMenuVtable, this) < 0)
    return false;
  object_ = BusSlot(slot);
  path_ = path;
  return true;
}

void DBusMenuService::EmitLayoutUpdated(uint revision, int parent) {
  if (!object_) return;
  sd_bus_emit_signal(bus_->Bus(), path_.c_str(), kMenuInterface, "LayoutUpdated", "ui", revision, parent);
  bus_->AfterSend();
}

void DBusMenuService::EmitPropertiesUpdated(const QList<DBusMenuItemProperties>& updated,
                                            const QList<DBusMenuItemKeys>& removed) {
  if (!object_) return;
  sd_bus_message* m = nullptr;
  int r = sd_bus_message_new_signal(bus_->Bus(), &m, path_.c_str(), kMenuInterface, "ItemsPropertiesUpdated");
  if (r >= 0) r = AppendGroup(m, updated);
  if (r >= 0) r = sd_bus_message_open_container(m, 'a', "(ias)");
  for (const DBusMenuItemKeys& k : removed) {
    if (r >= 0) r = sd_bus_message_open_container(m, 'r', "ias");
    if (r >= 0) r = sd_bus_message_append(m, "i", k.id);
    if (r >= 0) r = sd_bus_message_open_container(m, 'a', "s");
    for (const QString& name : k.names)
      if (r >= 0) r = sd_bus_message_append(m, "s", name.toUtf8().constData());
    if (r >= 0) r = sd_bus_message_close_container(m);
    if (r >= 0) r = sd_bus_message_close_container(m);
  }
  if (r >= 0) r = sd_bus_message_close_container(m);
  if (r >= 0) sd_bus_send(nullptr, m, nullptr);
  sd_bus_message_unref(m);
  bus_->AfterSend();
}

}  // namespace platform
