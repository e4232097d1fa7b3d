#include "platform/performance_data/usage_source_win.h"
#include "platform/runtime/windows_system_win.h"

// The kernel's structures, on top of the system's headers.
#include <winternl.h>

#include <algorithm>
#include <iterator>

namespace platform {

CpuTimes CpuTimesFromKernel(std::uint64_t idle, std::uint64_t kernel, std::uint64_t user) {
  CpuTimes t;
  t.present = true;
  t.user = user;
  t.idle = idle;
  t.system = kernel >= idle ? kernel - idle : 0;
  return t;
}

bool ReadKernelTimes(std::vector<CpuTimes>& cpus) {
  // A processor group holds at most 64 processors.
  SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION info[64];
  ULONG bytes = 0;
  if (!NT_SUCCESS(::NtQuerySystemInformation(SystemProcessorPerformanceInformation, info, sizeof info, &bytes)))
    return false;
  const std::size_t n = std::min<std::size_t>(bytes / sizeof info[0], std::size(info));
  cpus.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    cpus[i] = CpuTimesFromKernel(static_cast<std::uint64_t>(info[i].IdleTime.QuadPart),
                                 static_cast<std::uint64_t>(info[i].KernelTime.QuadPart),
                                 static_cast<std::uint64_t>(info[i].UserTime.QuadPart));
  }
  return true;
}

}  // namespace platform
