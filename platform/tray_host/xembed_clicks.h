// Turns the button presses and releases that an embedding tray delivers to the icon's window
// into the two mouse messages the program acts on: a left double-click gives 515, a right
// button release 517; single clicks, other buttons and plain moves give nothing.
#pragma once

#include <cstdint>

namespace platform {

class TrayClickClassifier {
 public:
  explicit TrayClickClassifier(std::uint32_t doubleClickMs) : interval_(doubleClickMs) {}

  // button: 1 left, 2 middle, 3 right, 4+ wheel. timeMs: the server's millisecond clock,
  // which wraps. Each returns the mouse message to report, or 0.
  std::uint32_t Press(int button, std::uint32_t timeMs);
  std::uint32_t Release(int button, std::uint32_t timeMs);

 private:
  std::uint32_t interval_;
  bool leftPending_ = false;  // a first left press waiting for its second
  std::uint32_t leftTime_ = 0;
};

}  // namespace platform
