// The popup menu as a QMenu of QActions, owned by the form's widget.
#include "platform/window_system/popup_menu_unix.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QInputDevice>
#include <QMenu>
#include <QPointer>
#include <QWindow>

#include "platform/window_system/form_window.h"
#include "platform/window_system/native_unix.h"
#include "platform/window_system/shown_windows.h"

namespace platform {

namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Whether the compositor has reported an input device of the program's seat. The toolkit
// anchors a popup to a window only after input from one (a focused window alone is not
// enough: compositors also activate windows on a seat without devices); the stand-in
// devices the toolkit makes up for itself ("core pointer", "core keyboard") do not count.
bool SeatHasInput() {
  for (const QInputDevice* device : QInputDevice::devices())
    if (!device->name().startsWith(QLatin1String("core "))) return true;
  return false;
}

}  // namespace

struct MenuItem::Native {
  explicit Native(QAction* a) : action(a) {
    // The handler is looked up when the action fires, so it can be set or changed later.
    connection = QObject::connect(a, &QAction::triggered, a, [this] {
      if (handler) handler();
    });
  }
  ~Native() { QObject::disconnect(connection); }
  QPointer<QAction> action;  // the menu owns it
  std::function<void()> handler;
  QMetaObject::Connection connection;
};

MenuItem::MenuItem(std::unique_ptr<Native> native) : native_(std::move(native)) {}
MenuItem::~MenuItem() = default;

std::string MenuItem::Caption() const { return native_->action->text().toStdString(); }
bool MenuItem::IsSeparator() const { return native_->action->isSeparator(); }
bool MenuItem::Enabled() const { return native_->action->isEnabled(); }
void MenuItem::SetEnabled(bool enabled) { native_->action->setEnabled(enabled); }
bool MenuItem::Checkable() const { return native_->action->isCheckable(); }
void MenuItem::SetCheckable(bool checkable) { native_->action->setCheckable(checkable); }
bool MenuItem::Checked() const { return native_->action->isChecked(); }
void MenuItem::SetChecked(bool checked) { native_->action->setChecked(checked); }
void MenuItem::SetClickHandler(std::function<void()> handler) { native_->handler = std::move(handler); }
void MenuItem::Click() { native_->action->trigger(); }


PopupMenu::PopupMenu(FormWindow& owner, const std::string& caption)
    : native_(std::make_unique<Native>(owner, new QMenu(QString::fromStdString(caption), WidgetOf<QWidget>(owner)))) {}

// The items let go of their actions before the menu deletes them.
PopupMenu::~PopupMenu() {
  items_.clear();
  native_.reset();
}

std::string PopupMenu::Caption() const { return native_->menu->title().toStdString(); }

MenuItem* PopupMenu::AddItem(const std::string& caption) {
  QAction* action = native_->menu->addAction(QString::fromStdString(caption));
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(std::make_unique<MenuItem::Native>(action))));
  return items_.back().get();
}

MenuItem* PopupMenu::AddSeparator() {
  QAction* action = native_->menu->addSeparator();
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(std::make_unique<MenuItem::Native>(action))));
  return items_.back().get();
}

bool PopupMenu::Popup() {
  QMenu& menu = *native_->menu;
  NoteWindowShown();
  if (!OnWayland()) {
    WidgetOf<QWidget>(native_->owner)->activateWindow();
    menu.exec(QCursor::pos());
    return true;
  }
  QWindow* anchor = QGuiApplication::focusWindow();
  if (anchor == nullptr || !anchor->isVisible() || !SeatHasInput()) return false;
  menu.winId();  // the native window exists before its parent is named
  menu.windowHandle()->setTransientParent(anchor);
  // The pointer's last place over one of the program's windows; over none of them (the
  // request came from a panel), the middle of the focused window.
  const QRect area = anchor->geometry();
  const QPoint pointer = QCursor::pos();
  menu.exec(area.contains(pointer) ? pointer : area.center());
  return true;
}

}  // namespace platform
