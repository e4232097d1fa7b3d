#include "platform/notification_area/xembed_clicks.h"

#include "platform/notification_area/notify_icon.h"

namespace platform {

std::uint32_t TrayClickClassifier::Press(int button, std::uint32_t timeMs) {
  if (button == 1) {
    // Unsigned difference: correct across the clock's wrap.
    if (leftPending_ && timeMs - leftTime_ <= interval_) {
      leftPending_ = false;  // a third click starts a new pair
      return WM_LBUTTONDBLCLK;
    }
    leftPending_ = true;
    leftTime_ = timeMs;
    return 0;
  }
  if (button == 2 || button == 3) leftPending_ = false;
  return 0;
}

std::uint32_t TrayClickClassifier::Release(int button, std::uint32_t) {
  return button == 3 ? WM_RBUTTONUP : 0;
}

}  // namespace platform
