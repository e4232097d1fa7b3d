// Counter paths and name lookups of the performance-data layer on any input: a counter is added
// only for a well-formed "\Processor(N)\% Processor Time" path, and reading it never fails hard.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/performance_data/pdh.h"

namespace {

std::string StatFile() {
  char path[] = "/tmp/zelmaro-fuzz-stat-XXXXXX";
  const int fd = ::mkstemp(path);
  const char text[] = "cpu  2 0 2 4\ncpu0 1 0 1 2\ncpu1 1 0 1 2\n";
  if (fd < 0 || ::write(fd, text, sizeof text - 1) != sizeof text - 1) std::abort();
  ::close(fd);
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string stat = StatFile();
  static platform::PerformanceData pdh(stat);
  static platform::PDH_HQUERY query = [] {
    platform::PDH_HQUERY q = 0;
    if (pdh.PdhOpenQuery(nullptr, 1, &q) != platform::ERROR_SUCCESS) std::abort();
    return q;
  }();
  const std::string path(reinterpret_cast<const char*>(data), size);
  platform::PDH_HCOUNTER counter = 0;
  const auto status = pdh.PdhVbAddCounter(query, path.c_str(), &counter);
  if ((status == platform::ERROR_SUCCESS) != (counter != 0)) std::abort();
  if (status == platform::ERROR_SUCCESS && std::strncmp(path.c_str(), "\\Processor(", 11) != 0) std::abort();
  pdh.PdhCollectQueryData(query);
  platform::PDH_STATUS read = 0;
  const double value = pdh.PdhVbGetDoubleCounterValue(counter, &read);
  if (value < 0.0 || value > 100.0) std::abort();
  // The name lookup with the input's first bytes as index and buffer size.
  if (size >= 8) {
    std::uint32_t index = 0, length = 0;
    std::memcpy(&index, data, 4);
    std::memcpy(&length, data + 4, 4);
    char buffer[64];
    std::uint32_t n = length % (sizeof buffer + 1);
    pdh.PdhLookupPerfNameByIndexA(nullptr, index % 300, buffer, &n);
  }
  return 0;
}
