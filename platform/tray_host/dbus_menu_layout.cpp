#include "platform/notification_area/dbus_menu.h"

#include <QAction>
#include <QActionEvent>
#include <QActionGroup>
#include <QMenu>
#include <QMetaObject>
#include <functional>

#include <systemd/sd-bus.h>

namespace platform {

namespace {

// Qt marks the mnemonic with '&' ("&&" for a literal one); dbusmenu uses '_' ("__").
QString DBusMenuLabel(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'&') {
      if (i + 1 < text.size() && text[i + 1] == u'&') {
        out += u'&';
        ++i;
      } else {
        out += u'_';
      }
    } else if (c == u'_') {
      out += QStringLiteral("__");
    } else {
      out += c;
    }
  }
  return out;
}

QVariantMap ActionProperties(QAction* a) {
  QVariantMap p;
  if (a->isSeparator() && a->text().isEmpty()) {
    p.insert(QStringLiteral("type"), QStringLiteral("separator"));
  } else {
    // A separator with text is a heading: shown as a disabled entry so the text survives.
    p.insert(QStringLiteral("label"), DBusMenuLabel(a->text()));
    p.insert(QStringLiteral("enabled"), a->isEnabled() && !a->isSeparator());
    if (a->isCheckable() && !a->isSeparator()) {
      const bool radio = a->actionGroup() && a->actionGroup()->isExclusive();
      p.insert(QStringLiteral("toggle-type"), radio ? QStringLiteral("radio") : QStringLiteral("checkmark"));
      p.insert(QStringLiteral("toggle-state"), a->isChecked() ? 1 : 0);
    }
    if (a->menu()) p.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
  }
  if (!a->isVisible()) p.insert(QStringLiteral("visible"), false);
  return p;
}

QVariantMap Filter(const QVariantMap& all, const QStringList& names) {
  if (names.isEmpty()) return all;
  QVariantMap out;
  for (const QString& n : names)
    if (auto it = all.find(n); it != all.end()) out.insert(n, it.value());
  return out;
}

// Far more entries than any menu has: a longer list in one request is refused unread.
constexpr qsizetype kMaxIdsPerRequest = 1024;
constexpr qsizetype kMaxNamesPerRequest = 64;

}  // namespace

DBusMenuExporter::DBusMenuExporter(QObject* parent) : QObject(parent) {}

void DBusMenuExporter::SetMenu(QMenu* menu) {
  if (menu_ == menu) return;
  if (menu_) menu_->removeEventFilter(this);
  menu_ = menu;
  if (menu_) Watch(menu_);
  ScheduleUpdate();
}

void DBusMenuExporter::Watch(QMenu* menu) {
  menu->removeEventFilter(this);  // never twice
  menu->installEventFilter(this);
  for (QAction* a : menu->actions())
    if (a->menu()) Watch(a->menu());
}

bool DBusMenuExporter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged:
      if (event->type() == QEvent::ActionAdded) {
        if (QAction* a = static_cast<QActionEvent*>(event)->action(); a && a->menu()) Watch(a->menu());
      }
      ScheduleUpdate();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

// Several changes in one pass of the event loop (a colour choice unticks six entries and
// ticks one) make one announcement: LayoutUpdated when entries came, went or moved (hosts then
// fetch the layout again), else ItemsPropertiesUpdated with just the changed properties.
void DBusMenuExporter::ScheduleUpdate() {
  properties_.clear();
  layout_.reset();
  if (updateScheduled_) return;
  updateScheduled_ = true;
  QMetaObject::invokeMethod(this, [this] { Announce(); }, Qt::QueuedConnection);
}

void DBusMenuExporter::Announce() {
  updateScheduled_ = false;
  Snapshot now = Take();
  if (now.children != announced_.children) {
    announced_ = std::move(now);
    ++revision_;
    emit LayoutChanged(revision_, 0);
    return;
  }
  QList<DBusMenuItemProperties> updated;
  QList<DBusMenuItemKeys> removed;
  for (auto it = now.properties.cbegin(); it != now.properties.cend(); ++it) {
    const QVariantMap before = announced_.properties.value(it.key());
    QVariantMap changed;
    for (auto p = it.value().cbegin(); p != it.value().cend(); ++p)
      if (before.value(p.key()) != p.value()) changed.insert(p.key(), p.value());
    QStringList gone;
    for (auto p = before.cbegin(); p != before.cend(); ++p)
      if (!it.value().contains(p.key())) gone.append(p.key());
    if (!changed.isEmpty()) updated.append({it.key(), changed});
    if (!gone.isEmpty()) removed.append({it.key(), gone});
  }
  announced_ = std::move(now);
  if (!updated.isEmpty() || !removed.isEmpty()) emit PropertiesChanged(updated, removed);
}

DBusMenuExporter::Snapshot DBusMenuExporter::Take() {
  Snapshot out;
  out.children.insert(0, {});
  if (menu_) Take(menu_, 0, &out);
  return out;
}

void DBusMenuExporter::Take(QMenu* menu, int parentId, Snapshot* out) {
  QList<int> ids;
  for (QAction* a : menu->actions()) ids.append(IdOf(a));
  out->children.insert(parentId, ids);
  for (QAction* a : menu->actions()) {
    const int id = IdOf(a);
    out->properties.insert(id, ActionProperties(a));
    if (a->menu() && !out->children.contains(id)) Take(a->menu(), id, out);  // a menu in itself: once
  }
}

int DBusMenuExporter::IdOf(QAction* action) {
  auto it = ids_.find(action);
  if (it != ids_.end() && actions_.value(it.value()) == action) return it.value();
  const int id = nextId_++;
  ids_.insert(action, id);
  actions_.insert(id, action);
  return id;
}

QAction* DBusMenuExporter::ActionOf(int id) {
  QAction* a = actions_.value(id);
  if (!a) return nullptr;
  // Only actions still in the exported menu count.
  std::function<bool(QMenu*)> inMenu = [&](QMenu* m) {
    for (QAction* x : m->actions())
      if (x == a || (x->menu() && inMenu(x->menu()))) return true;
    return false;
  };
  return menu_ && inMenu(menu_) ? a : nullptr;
}

bool DBusMenuExporter::HasItem(int id) { return id == 0 || ActionOf(id) != nullptr; }

DBusMenuLayoutItem DBusMenuExporter::Layout(int parentId, int depth, const QStringList& names) {
  if (layout_ && layout_->parentId == parentId && layout_->depth == depth && layout_->names == names)
    return layout_->item;
  DBusMenuLayoutItem item = BuildLayout(parentId, depth, names);
  layout_ = CachedLayout{parentId, depth, names, item};
  return item;
}

DBusMenuLayoutItem DBusMenuExporter::BuildLayout(int parentId, int depth, const QStringList& names) {
  DBusMenuLayoutItem item;
  item.id = parentId;
  QMenu* children = nullptr;
  if (parentId == 0) {
    item.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    children = menu_;
  } else if (QAction* a = ActionOf(parentId)) {
    item.properties = Filter(CachedProperties(a, parentId), names);
    children = a->menu();
  }
  if (children && depth != 0) {
    for (QAction* a : children->actions()) {
      DBusMenuLayoutItem child = BuildLayout(IdOf(a), depth < 0 ? -1 : depth - 1, names);
      item.children.append(child);
    }
  }
  return item;
}

QVariantMap DBusMenuExporter::Properties(int id, const QStringList& names) {
  if (id == 0) return Filter({{QStringLiteral("children-display"), QStringLiteral("submenu")}}, names);
  QAction* a = ActionOf(id);
  return a ? Filter(CachedProperties(a, id), names) : QVariantMap{};
}

const QVariantMap& DBusMenuExporter::CachedProperties(QAction* a, int id) {
  auto it = properties_.find(id);
  if (it == properties_.end()) it = properties_.insert(id, ActionProperties(a));
  return it.value();
}

bool DBusMenuExporter::HandleEvent(int id, const QString& eventId) {
  QAction* a = ActionOf(id);
  if (!a) return id == 0;
  if (eventId == QLatin1String("clicked") && a->isEnabled() && !a->isSeparator() && !a->menu()) {
    // After the reply has gone: the handler may run a while (or a nested event loop).
    if (pendingClicks_.contains(id)) return true;
    pendingClicks_.insert(id);
    QPointer<QAction> guard(a);
    QMetaObject::invokeMethod(
        this,
        [this, guard, id] {
          pendingClicks_.remove(id);
          if (guard) guard->trigger();
        },
        Qt::QueuedConnection);
  }
  return true;
}

namespace {

DBusMenuService* Service(void* userdata) { return static_cast<DBusMenuService*>(userdata); }

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
  if (!s->WithinBudget()) return TooMany(error);
  if (names.size() > kMaxNamesPerRequest) return Refuse(error, QStringLiteral("Too many property names"));
  DBusMenuExporter* ex = s->Exporter();
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
  if (!s->WithinBudget()) return TooMany(error);
  if (ids.size() > kMaxIdsPerRequest || names.size() > kMaxNamesPerRequest)
    return Refuse(error, QStringLiteral("Too many ids or property names"));
  QList<DBusMenuItemProperties> out;
  for (int id : ids)
    if (s->Exporter()->HasItem(id)) out.append({id, s->Exporter()->Properties(id, names)});
  return Reply(m, [&](sd_bus_message* reply) { return AppendGroup(reply, out); });
}

int OnGetProperty(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  int id = 0;
  const char* name = nullptr;
  if (int r = sd_bus_message_read(m, "is", &id, &name); r < 0) return r;
  DBusMenuExporter* ex = Service(userdata)->Exporter();
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
  if (!Service(userdata)->Exporter()->HandleEvent(id, QString::fromUtf8(eventId)))
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
    if (r >= 0 && !Service(userdata)->Exporter()->HandleEvent(id, QString::fromUtf8(eventId)))
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
  if (!Service(userdata)->Exporter()->HasItem(id))
    return Refuse(error, QStringLiteral("No menu item with id %1").arg(id));
  return sd_bus_reply_method_return(m, "b", 0);
}

int OnAboutToShowGroup(sd_bus_message* m, void* userdata, sd_bus_error* error) {
  QList<int> ids;
  if (int r = ReadInts(m, &ids); r < 0) return r;
  if (ids.size() > kMaxIdsPerRequest) return Refuse(error, QStringLiteral("Too many ids"));
  QList<int> idErrors;
  for (int id : ids)
    if (!Service(userdata)->Exporter()->HasItem(id)) idErrors.append(id);
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

DBusMenuService::DBusMenuService(std::shared_ptr<BusConnection> bus, DBusMenuExporter* exporter)
    : bus_(std::move(bus)), exporter_(exporter) {
  layoutChanged_ = QObject::connect(exporter_, &DBusMenuExporter::LayoutChanged, exporter_,
                                    [this](uint revision, int parent) { EmitLayoutUpdated(revision, parent); });
  propertiesChanged_ = QObject::connect(
      exporter_, &DBusMenuExporter::PropertiesChanged, exporter_,
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
