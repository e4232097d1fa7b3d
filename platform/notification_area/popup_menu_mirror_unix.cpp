#include "platform/notification_area/popup_menu_mirror_unix.h"

#include <QAction>
#include <QActionEvent>
#include <QHash>
#include <QMenu>
#include <QPointer>

#include "platform/tray_host/tray_menu.h"
#include "platform/window_system/popup_menu_unix.h"

namespace platform {

namespace {

// Watches the toolkit menu and copies its actions into the tray menu as they change; a child
// of the toolkit menu, so both go with it.
class Mirror : public QObject {
 public:
  explicit Mirror(QMenu* menu) : QObject(menu), menu_(menu), tray_(new TrayMenu(this)) {
    menu_->installEventFilter(this);
    Copy(nullptr);
  }
  TrayMenu* Tray() const { return tray_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::ActionAdded:
      case QEvent::ActionChanged:
        Copy(nullptr);
        break;
      case QEvent::ActionRemoved: {
        // Told before or after the action leaves the list: either way it is no entry now.
        QAction* leaving = static_cast<QActionEvent*>(event)->action();
        ids_.remove(leaving);
        Copy(leaving);
        break;
      }
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Copy(QAction* leaving) {
    std::vector<TrayMenuEntry> entries;
    for (QAction* a : menu_->actions()) {
      if (a == leaving) continue;
      TrayMenuEntry e;
      e.id = IdOf(a);
      e.caption = a->text();
      e.separator = a->isSeparator();
      e.enabled = a->isEnabled();
      e.checkable = a->isCheckable();
      e.checked = a->isChecked();
      e.activate = [action = QPointer<QAction>(a)] {
        if (action) action->trigger();  // as a click in the popup: the item's handler runs
      };
      entries.push_back(std::move(e));
    }
    tray_->SetEntries(std::move(entries));
  }

  int IdOf(QAction* action) {
    auto it = ids_.find(action);
    if (it == ids_.end()) it = ids_.insert(action, nextId_++);
    return it.value();
  }

  QMenu* menu_;
  TrayMenu* tray_;
  QHash<QAction*, int> ids_;
  int nextId_ = 1;
};

}  // namespace

TrayMenu* MirrorPopupMenu(PopupMenu& menu) {
  QMenu* toolkitMenu = ToolkitMenu(menu);
  return toolkitMenu != nullptr ? (new Mirror(toolkitMenu))->Tray() : nullptr;
}

}  // namespace platform
