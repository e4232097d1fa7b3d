#include "platform/tray_host/dbus_menu_model.h"

#include <QAction>
#include <QActionEvent>
#include <QActionGroup>
#include <QMenu>
#include <QMetaObject>
#include <functional>

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

}  // namespace

DBusMenuModel::DBusMenuModel(QObject* parent) : QObject(parent) {}

void DBusMenuModel::SetMenu(QMenu* menu) {
  if (menu_ == menu) return;
  if (menu_) menu_->removeEventFilter(this);
  menu_ = menu;
  if (menu_) Watch(menu_);
  ScheduleUpdate();
}

void DBusMenuModel::Watch(QMenu* menu) {
  menu->removeEventFilter(this);  // never twice
  menu->installEventFilter(this);
  for (QAction* a : menu->actions())
    if (a->menu()) Watch(a->menu());
}

bool DBusMenuModel::eventFilter(QObject* watched, QEvent* event) {
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
void DBusMenuModel::ScheduleUpdate() {
  properties_.clear();
  layout_.reset();
  if (updateScheduled_) return;
  updateScheduled_ = true;
  QMetaObject::invokeMethod(this, [this] { Announce(); }, Qt::QueuedConnection);
}

void DBusMenuModel::Announce() {
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

DBusMenuModel::Snapshot DBusMenuModel::Take() {
  Snapshot out;
  out.children.insert(0, {});
  if (menu_) Take(menu_, 0, &out);
  return out;
}

void DBusMenuModel::Take(QMenu* menu, int parentId, Snapshot* out) {
  QList<int> ids;
  for (QAction* a : menu->actions()) ids.append(IdOf(a));
  out->children.insert(parentId, ids);
  for (QAction* a : menu->actions()) {
    const int id = IdOf(a);
    out->properties.insert(id, ActionProperties(a));
    if (a->menu() && !out->children.contains(id)) Take(a->menu(), id, out);  // a menu in itself: once
  }
}

int DBusMenuModel::IdOf(QAction* action) {
  auto it = ids_.find(action);
  if (it != ids_.end() && actions_.value(it.value()) == action) return it.value();
  const int id = nextId_++;
  ids_.insert(action, id);
  actions_.insert(id, action);
  return id;
}

QAction* DBusMenuModel::ActionOf(int id) {
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

bool DBusMenuModel::HasItem(int id) { return id == 0 || ActionOf(id) != nullptr; }

DBusMenuLayoutItem DBusMenuModel::Layout(int parentId, int depth, const QStringList& names) {
  if (layout_ && layout_->parentId == parentId && layout_->depth == depth && layout_->names == names)
    return layout_->item;
  DBusMenuLayoutItem item = BuildLayout(parentId, depth, names);
  layout_ = CachedLayout{parentId, depth, names, item};
  return item;
}

DBusMenuLayoutItem DBusMenuModel::BuildLayout(int parentId, int depth, const QStringList& names) {
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

QVariantMap DBusMenuModel::Properties(int id, const QStringList& names) {
  if (id == 0) return Filter({{QStringLiteral("children-display"), QStringLiteral("submenu")}}, names);
  QAction* a = ActionOf(id);
  return a ? Filter(CachedProperties(a, id), names) : QVariantMap{};
}

const QVariantMap& DBusMenuModel::CachedProperties(QAction* a, int id) {
  auto it = properties_.find(id);
  if (it == properties_.end()) it = properties_.insert(id, ActionProperties(a));
  return it.value();
}

bool DBusMenuModel::HandleEvent(int id, const QString& eventId) {
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

}  // namespace platform
