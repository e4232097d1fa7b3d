// The /proc/stat parser on any text: no crash, and what it reports agrees with itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/performance_data/proc_stat_unix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::vector<platform::CpuTimes> cpus;  // reused, as the program reuses its own
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t present = platform::ParseProcStat(text, cpus);
  std::size_t counted = 0;
  for (const auto& c : cpus) counted += c.present;
  if (counted != present || cpus.size() > platform::kMaxProcessors) std::abort();
  if (!cpus.empty() && !cpus.back().present) std::abort();  // sized to the highest one present
  return 0;
}
