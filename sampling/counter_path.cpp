#include "sampling/counter_path.h"

#include <algorithm>
#include <cstdint>

namespace sampling {

namespace {

constexpr std::uint32_t kProcessorObjectIndex = 238;
constexpr std::uint32_t kProcessorTimeIndex = 6;
constexpr std::uint32_t kNameBufferSize = 260;

// Looks up one name into a buffer of spaces and takes the characters before the reported
// terminator. The status is not examined: a failed lookup yields whatever the buffer holds.
// A reported size of 0, or one beyond the buffer, is clamped to the buffer.
std::string LookupName(platform::PerformanceData& pdh, std::uint32_t index) {
  std::uint32_t size = kNameBufferSize;
  std::string buffer(kNameBufferSize, ' ');
  pdh.PdhLookupPerfNameByIndexA(nullptr, index, buffer.data(), &size);
  const std::uint32_t length = std::min(size, kNameBufferSize);
  buffer.resize(length == 0 ? 0 : length - 1);
  return buffer;
}

}  // namespace

std::string GetCounterPath(platform::PerformanceData& pdh, platform::Int16 processor) {
  const std::string object = LookupName(pdh, kProcessorObjectIndex);
  const std::string counter = LookupName(pdh, kProcessorTimeIndex);
  return "\\" + object + "(" + std::to_string(int{processor}) + ")\\" + counter;
}

}  // namespace sampling
