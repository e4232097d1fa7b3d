// The elapsed-time clock shown since the last reset.
#pragma once

#include <cstdint>
#include <string>

namespace sampling {

// Seconds from startMono to nowMono on the monotonic clock; never negative.
std::int64_t ElapsedSeconds(std::int64_t startMono, std::int64_t nowMono);

// "hh:nn:ss" of the time-of-day part: whole days are dropped (25 hours -> "01:00:00");
// a negative time shows as "00:00:00".
std::string ElapsedClockText(std::int64_t seconds);

}  // namespace sampling
