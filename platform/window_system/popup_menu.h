// A window's popup menu: a caption and a column of items (text items, optionally checkable,
// and separator lines), opened at the pointer. Choosing an item runs its click handler on the
// user-interface thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class FormWindow;

class MenuItem {
 public:
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::string Caption() const;  // empty for a separator
  bool IsSeparator() const;
  bool Enabled() const;
  void SetEnabled(bool enabled);  // a disabled item shows greyed and cannot be chosen
  bool Checkable() const;
  void SetCheckable(bool checkable);
  bool Checked() const;
  void SetChecked(bool checked);
  void SetClickHandler(std::function<void()> handler);
  // Chooses the item as the user does. A checkable item may toggle its mark first, as the
  // window system does on a choice; the handler sets the marks it wants.
  void Click();

 private:
  friend class PopupMenu;
  struct Native;
  explicit MenuItem(std::unique_ptr<Native> native);
  std::unique_ptr<Native> native_;
};

class PopupMenu {
 public:
  // A menu of the owner window, which must outlive it.
  PopupMenu(FormWindow& owner, const std::string& caption);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  std::string Caption() const;
  MenuItem* AddItem(const std::string& caption);
  MenuItem* AddSeparator();
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  // Brings the owner to the foreground and opens the menu at the pointer; returns when the
  // menu closes. Where the window system opens a popup only beside one of the program's
  // windows that holds the focus (Wayland) and there is none, the menu is not opened and
  // false is returned: tray hosts that know the exported menu show that one themselves.
  bool Popup();

  // What stands behind the menu on the window system, for platform code that shows the same
  // menu elsewhere (popup_menu_unix.h gives the toolkit's menu).
  struct Native;
  Native& System() const { return *native_; }

 private:
  std::unique_ptr<Native> native_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace platform
