// What the notification area shows for the one icon, kept from the add / modify / delete
// requests: whether it is shown, its picture, its tooltip and where callbacks go. Applying a
// request reports what changed, so that a host is only asked for work when something it
// shows is different.
#pragma once

#include <cstdint>
#include <string>

#include "platform/raster_graphics/gdi.h"
#include "platform/notification_area/notify_icon.h"

namespace platform {

class NotifyIconState {
 public:
  enum Change : unsigned { kNoChange = 0, kShown = 1, kHidden = 2, kIcon = 4, kTip = 8 };

  // Returns false for a request the notification area refuses (no record, a record smaller
  // than the first version, an add while shown, a modify or delete of another or no icon,
  // an unknown request, a modify naming an icon that cannot be read). *changes gets the
  // Change bits; a refused request changes nothing.
  bool Apply(std::uint32_t message, const NOTIFYICONDATAA* data, unsigned* changes);

  bool Shown() const { return shown_; }
  const gdi::IconImage& Icon() const { return icon_; }  // empty until a readable icon came
  const std::string& Tip() const { return tip_; }      // single-byte text, up to the zero
  std::uint32_t Window() const { return hWnd_; }
  std::uint32_t CallbackMessage() const { return callbackMessage_; }
  bool HasCallback() const { return hasCallback_; }

 private:
  bool shown_ = false;
  std::uint32_t id_ = 0;
  std::uint32_t hWnd_ = 0;
  std::uint32_t callbackMessage_ = 0;
  bool hasCallback_ = false;
  gdi::IconImage icon_;
  gdi::IconImage scratch_;  // reused for every read so the modify path does not allocate
  std::string tip_;
};

}  // namespace platform
