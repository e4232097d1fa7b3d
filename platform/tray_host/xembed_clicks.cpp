#include "platform/tray_host/xembed_clicks.h"

namespace platform {

TrayGesture TrayClickClassifier::Press(int button, std::uint32_t timeMs) {
  if (button == 1) {
    // Unsigned difference: correct across the clock's wrap.
    if (leftPending_ && timeMs - leftTime_ <= interval_) {
      leftPending_ = false;  // a third click starts a new pair
      return TrayGesture::Activate;
    }
    leftPending_ = true;
    leftTime_ = timeMs;
    return TrayGesture::None;
  }
  if (button == 2 || button == 3) leftPending_ = false;
  // Each notch of a wheel is one press (and its release).
  switch (button) {
    case 4: return TrayGesture::ScrollUp;
    case 5: return TrayGesture::ScrollDown;
    case 6: return TrayGesture::ScrollLeft;
    case 7: return TrayGesture::ScrollRight;
    default: return TrayGesture::None;
  }
}

TrayGesture TrayClickClassifier::Release(int button, std::uint32_t) {
  return button == 3 ? TrayGesture::ContextMenu : TrayGesture::None;
}

}  // namespace platform
