#include "platform/clock/clock.h"

#include "platform/clock/automation_date.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

double SystemClock::Now() const {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  return AutomationDate(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                        local.wSecond);
}

std::int64_t SystemClock::MonotonicSeconds() const {
  // The tick count keeps counting while the machine sleeps, so elapsed times include suspend.
  return static_cast<std::int64_t>(::GetTickCount64() / 1000);
}

}  // namespace platform
