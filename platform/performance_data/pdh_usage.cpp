#include "platform/performance_data/pdh_usage.h"

namespace platform {

bool UsageBetween(const CpuTimes& a, const CpuTimes& b, double& percent) {
  const std::uint64_t CpuTimes::*fields[] = {&CpuTimes::user,   &CpuTimes::nice,
                                             &CpuTimes::system, &CpuTimes::idle,
                                             &CpuTimes::iowait, &CpuTimes::irq,
                                             &CpuTimes::softirq, &CpuTimes::steal};
  std::uint64_t total = 0;
  for (auto f : fields) {
    if (b.*f < a.*f) return false;
    if (__builtin_add_overflow(total, b.*f - a.*f, &total)) return false;
  }
  if (total == 0) return false;
  // idle + iowait is part of total, so it cannot overflow.
  const std::uint64_t idle = (b.idle - a.idle) + (b.iowait - a.iowait);
  double v = 100.0 * (1.0 - static_cast<double>(idle) / static_cast<double>(total));
  percent = v < 0.0 ? 0.0 : (v > 100.0 ? 100.0 : v);
  return true;
}

}  // namespace platform
