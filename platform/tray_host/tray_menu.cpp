#include "platform/tray_host/tray_menu.h"

#include <algorithm>

namespace platform {

void TrayMenu::SetEntries(std::vector<TrayMenuEntry> entries) {
  entries_ = std::move(entries);
  emit Changed();
}

const TrayMenuEntry* TrayMenu::Find(int id) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const TrayMenuEntry& e) { return e.id == id; });
  return it != entries_.end() ? &*it : nullptr;
}

}  // namespace platform
