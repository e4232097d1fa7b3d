#include "sampling/elapsed_clock.h"

#include <cstdio>

namespace sampling {

std::int64_t ElapsedSeconds(std::int64_t startMono, std::int64_t nowMono) {
  std::int64_t d = 0;
  if (nowMono <= startMono) return 0;
  return __builtin_sub_overflow(nowMono, startMono, &d) ? INT64_MAX : d;
}

std::string ElapsedClockText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  const int s = static_cast<int>(seconds % 86400);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
  return text;
}

}  // namespace sampling
