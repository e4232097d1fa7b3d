// The popup menu as a Win32 popup menu, opened with TrackPopupMenu. The chosen item's handler
// runs before Popup() returns, as with the toolkit's menus.
#include "platform/window_system/popup_menu.h"

#include "platform/window_system/form_window.h"
#include "platform/window_system/native_win.h"

namespace platform {

struct MenuItem::Native {
  HMENU menu = nullptr;
  UINT id = 0;
  std::string caption;
  bool separator = false;
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
  std::function<void()> handler;
};

MenuItem::MenuItem(std::unique_ptr<Native> native) : native_(std::move(native)) {}
MenuItem::~MenuItem() = default;

std::string MenuItem::Caption() const { return native_->caption; }
bool MenuItem::IsSeparator() const { return native_->separator; }
bool MenuItem::Enabled() const { return native_->enabled; }

void MenuItem::SetEnabled(bool enabled) {
  native_->enabled = enabled;
  EnableMenuItem(native_->menu, native_->id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MenuItem::Checkable() const { return native_->checkable; }
void MenuItem::SetCheckable(bool checkable) { native_->checkable = checkable; }
bool MenuItem::Checked() const { return native_->checked; }

void MenuItem::SetChecked(bool checked) {
  native_->checked = checked;
  CheckMenuItem(native_->menu, native_->id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuItem::SetClickHandler(std::function<void()> handler) { native_->handler = std::move(handler); }

void MenuItem::Click() {
  if (!native_->enabled || native_->separator) return;
  if (native_->checkable) SetChecked(!native_->checked);
  if (native_->handler) native_->handler();
}

struct PopupMenu::Native {
  Native(FormWindow& o, const std::string& c) : owner(o), caption(c), menu(CreatePopupMenu()) {}
  ~Native() { DestroyMenu(menu); }
  FormWindow& owner;
  std::string caption;
  HMENU menu;
  UINT nextId = 1;  // 0 is TrackPopupMenu's "nothing chosen"
};

PopupMenu::PopupMenu(FormWindow& owner, const std::string& caption)
    : native_(std::make_unique<Native>(owner, caption)) {}

PopupMenu::~PopupMenu() {
  items_.clear();
  native_.reset();
}

std::string PopupMenu::Caption() const { return native_->caption; }

MenuItem* PopupMenu::AddItem(const std::string& caption) {
  auto item = std::make_unique<MenuItem::Native>();
  item->menu = native_->menu;
  item->id = native_->nextId++;
  item->caption = caption;
  AppendMenuW(native_->menu, MF_STRING, item->id, Wide(caption).c_str());
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(std::move(item))));
  return items_.back().get();
}

MenuItem* PopupMenu::AddSeparator() {
  auto item = std::make_unique<MenuItem::Native>();
  item->menu = native_->menu;
  item->id = native_->nextId++;
  item->separator = true;
  AppendMenuW(native_->menu, MF_SEPARATOR, item->id, nullptr);
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(std::move(item))));
  return items_.back().get();
}

bool PopupMenu::Popup() {
  HWND owner = native_->owner.Native().hwnd;
  // A menu of a window in the background would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  POINT at{};
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(native_->menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);  // lets the menu's own loop end cleanly
  for (const auto& item : items_) {
    if (chosen != 0 && item->native_->id == chosen) item->Click();
  }
  return true;
}

// The shell shows the program's own menu on 517; there is nothing to export.
}  // namespace platform
