// The desktop's notification area (system tray) as the program meets it: one icon that shows
// a picture and a tooltip, the user's two requests on it, and whether a tray host is there to
// show it at all. All on the user-interface thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/pictures/picture.h"
#include "platform/pictures/scaled_picture.h"

namespace platform {

class PopupMenu;

class NotificationArea {
 public:
  // Open: a double-click or the host's activation. Menu: the icon's context menu.
  enum class Request { Open, Menu };

  virtual ~NotificationArea() = default;
  // Shows the icon, or replaces what it shows. Both are copied; alpha 0 is transparent. Where
  // the icon is drawn at another size than the picture's, the picture is Scaled with its lines
  // (whose runs the caller keeps for the life of the area).
  virtual void Show(const Picture& picture, const std::string& tooltip, const PictureLines& lines) = 0;
  void Show(const Picture& picture, const std::string& tooltip) { Show(picture, tooltip, {}); }
  // Takes the icon away.
  virtual void Remove() = 0;
  // True while a host shows the icon (or, where the system always has one, always).
  virtual bool HostPresent() const { return true; }

  // The user's requests on a shown icon, one at a time.
  void SetRequestHandler(std::function<void(Request)> handler) { request_ = std::move(handler); }
  // Called with the new answer whenever HostPresent changes, as hosts come and go.
  void SetHostHandler(std::function<void(bool present)> handler) { host_ = std::move(handler); }

 protected:
  void Ask(Request request) {
    if (request_) request_(request);
  }
  void HostChanged(bool present) {
    if (host_) host_(present);
  }

 private:
  std::function<void(Request)> request_;
  std::function<void(bool)> host_;
};

// The desktop's own notification area. menu: the program's popup menu, for hosts that show an
// icon's menu themselves (the program still pops it up itself on Menu), followed while it
// exists. description: what the icon shows, in words a screen reader can speak, for hosts that
// read one. Where the shell draws no menu and reads no description, both go unused.
std::unique_ptr<NotificationArea> OpenDesktopTray(PopupMenu* menu, const std::string& description);

}  // namespace platform
