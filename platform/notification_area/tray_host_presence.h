// Whether a tray host (the shell's notification area, a panel's system tray) shows the
// program's icon, so that the program can keep its window reachable while none does.
#pragma once

#include <functional>
#include <utility>

namespace platform {

class TrayHostPresence {
 public:
  virtual ~TrayHostPresence() = default;
  // True while a host shows the icon (only an icon that has been added can be shown).
  virtual bool HostPresent() const = 0;
  // Called with the new answer whenever it changes, as hosts come and go.
  void SetHostHandler(std::function<void(bool present)> handler) { handler_ = std::move(handler); }

 protected:
  void NotifyHost(bool present) {
    if (handler_) handler_(present);
  }

 private:
  std::function<void(bool present)> handler_;
};

}  // namespace platform
