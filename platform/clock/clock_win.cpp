#include "platform/clock/clock.h"

#include "platform/runtime/windows_system_win.h"

namespace platform {

std::int64_t SystemClock::MonotonicSeconds() const {
  // The tick count keeps counting while the machine sleeps, so elapsed times include suspend.
  return static_cast<std::int64_t>(::GetTickCount64() / 1000);
}

}  // namespace platform
