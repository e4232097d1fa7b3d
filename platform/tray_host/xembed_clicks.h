// Turns the button presses and releases that an embedding tray delivers to the icon's window
// into what the user meant: a left double-click activates, a right button release asks for
// the context menu, a wheel turn scrolls; single clicks, the middle button and plain moves
// mean nothing.
#pragma once

#include <cstdint>

namespace platform {

enum class TrayGesture { None, Activate, ContextMenu, ScrollUp, ScrollDown, ScrollLeft, ScrollRight };

class TrayClickClassifier {
 public:
  explicit TrayClickClassifier(std::uint32_t doubleClickMs) : interval_(doubleClickMs) {}

  // button: 1 left, 2 middle, 3 right, 4 to 7 wheel (up, down, left, right). timeMs: the
  // server's millisecond clock, which wraps. Each returns the gesture to report, or None.
  TrayGesture Press(int button, std::uint32_t timeMs);
  TrayGesture Release(int button, std::uint32_t timeMs);

 private:
  std::uint32_t interval_;
  bool leftPending_ = false;  // a first left press waiting for its second
  std::uint32_t leftTime_ = 0;
};

}  // namespace platform
