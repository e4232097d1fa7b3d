#include "platform/tray_host/dbus_menu_model.h"

#include <QMetaObject>

namespace platform {

namespace {

// '&' marks the mnemonic ("&&" a literal one); dbusmenu uses '_' ("__").
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

QVariantMap EntryProperties(const TrayMenuEntry& e) {
  QVariantMap p;
  if (e.separator) {
    p.insert(QStringLiteral("type"), QStringLiteral("separator"));
    return p;
  }
  p.insert(QStringLiteral("label"), DBusMenuLabel(e.caption));
  p.insert(QStringLiteral("enabled"), e.enabled);
  if (e.checkable) {
    p.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
    p.insert(QStringLiteral("toggle-state"), e.checked ? 1 : 0);
  }
  return p;
}

const QVariantMap& RootProperties() {
  static const QVariantMap root{{QStringLiteral("children-display"), QStringLiteral("submenu")}};
  return root;
}

QVariantMap Filter(const QVariantMap& all, const QStringList& names) {
  if (names.isEmpty()) return all;
  QVariantMap out;
  for (const QString& n : names)
    if (auto it = all.find(n); it != all.end()) out.insert(n, it.value());
  return out;
}

}  // namespace

DBusMenuModel::DBusMenuModel(QObject* parent) : QObject(parent) {}

void DBusMenuModel::SetMenu(TrayMenu* menu) {
  if (menu_ == menu) return;
  QObject::disconnect(changed_);
  QObject::disconnect(destroyed_);
  menu_ = menu;
  if (menu_) {
    changed_ = connect(menu_, &TrayMenu::Changed, this, [this] { ScheduleUpdate(); });
    // A menu that goes away leaves none to answer from; hosts are not told (that happens as
    // the program ends).
    destroyed_ = connect(menu_, &QObject::destroyed, this, [this] {
      now_ = {};
      layout_.reset();
    });
  }
  ScheduleUpdate();
}

DBusMenuModel::Snapshot DBusMenuModel::Take() const {
  Snapshot out;
  if (!menu_) return out;
  for (const TrayMenuEntry& e : menu_->Entries()) {
    out.ids.append(e.id);
    out.properties.insert(e.id, EntryProperties(e));
  }
  return out;
}

// Several changes in one pass of the event loop (a colour choice unticks six entries and
// ticks one) make one announcement: LayoutUpdated when entries came, went or moved (hosts then
// fetch the layout again), else ItemsPropertiesUpdated with just the changed properties.
void DBusMenuModel::ScheduleUpdate() {
  now_ = Take();
  layout_.reset();
  if (updateScheduled_) return;
  updateScheduled_ = true;
  QMetaObject::invokeMethod(this, [this] { Announce(); }, Qt::QueuedConnection);
}

void DBusMenuModel::Announce() {
  updateScheduled_ = false;
  if (now_.ids != announced_.ids) {
    announced_ = now_;
    ++revision_;
    emit LayoutChanged(revision_, 0);
    return;
  }
  QList<DBusMenuItemProperties> updated;
  QList<DBusMenuItemKeys> removed;
  for (auto it = now_.properties.cbegin(); it != now_.properties.cend(); ++it) {
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
  announced_ = now_;
  if (!updated.isEmpty() || !removed.isEmpty()) emit PropertiesChanged(updated, removed);
}

DBusMenuLayoutItem DBusMenuModel::Layout(int parentId, int depth, const QStringList& names) {
  if (layout_ && layout_->parentId == parentId && layout_->depth == depth && layout_->names == names)
    return layout_->item;
  DBusMenuLayoutItem item;
  item.id = parentId;
  if (parentId == 0) {
    item.properties = RootProperties();
    if (depth != 0) {
      for (const int id : now_.ids) item.children.append({id, Filter(now_.properties.value(id), names), {}});
    }
  } else {
    item.properties = Filter(now_.properties.value(parentId), names);  // entries have no children
  }
  layout_ = CachedLayout{parentId, depth, names, item};
  return item;
}

QVariantMap DBusMenuModel::Properties(int id, const QStringList& names) const {
  return Filter(id == 0 ? RootProperties() : now_.properties.value(id), names);
}

bool DBusMenuModel::HandleEvent(int id, const QString& eventId) {
  const TrayMenuEntry* e = menu_ && id != 0 ? menu_->Find(id) : nullptr;
  if (!e) return id == 0;
  if (eventId == QLatin1String("clicked") && e->enabled && !e->separator) {
    // After the reply has gone: the activation may run a while (or a nested event loop).
    if (pendingClicks_.contains(id)) return true;
    pendingClicks_.insert(id);
    QMetaObject::invokeMethod(
        this,
        [this, activate = e->activate, id] {
          pendingClicks_.remove(id);
          if (activate) activate();
        },
        Qt::QueuedConnection);
  }
  return true;
}

}  // namespace platform
