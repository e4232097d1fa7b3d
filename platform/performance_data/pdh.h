// Performance data in the shape of the platform's performance-data helper: a query of
// per-processor "% Processor Time" counters, fed from the kernel's per-processor times
// (/proc/stat, or another file of that format given to the constructor). On Windows the
// counters are the performance-data service's own where it has them, otherwise computed the
// same way from the kernel's per-processor times; the source path is not used there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

using PDH_STATUS = std::uint32_t;
using PDH_HQUERY = std::uint32_t;
using PDH_HCOUNTER = std::uint32_t;

inline constexpr PDH_STATUS ERROR_SUCCESS = 0;
inline constexpr PDH_STATUS PDH_CSTATUS_VALID_DATA = 0x00000000;
inline constexpr PDH_STATUS PDH_CSTATUS_NEW_DATA = 0x00000001;
inline constexpr PDH_STATUS PDH_CSTATUS_NO_INSTANCE = 0x800007D1;
inline constexpr PDH_STATUS PDH_MORE_DATA = 0x800007D2;
inline constexpr PDH_STATUS PDH_CSTATUS_BAD_COUNTERNAME = 0xC0000BC0;
inline constexpr PDH_STATUS PDH_INVALID_HANDLE = 0xC0000BBC;
inline constexpr PDH_STATUS PDH_INVALID_ARGUMENT = 0xC0000BBD;
inline constexpr PDH_STATUS PDH_INSUFFICIENT_BUFFER = 0xC0000BC2;
inline constexpr PDH_STATUS PDH_CSTATUS_INVALID_DATA = 0xC0000BC6;
inline constexpr PDH_STATUS PDH_NO_DATA = 0x800007D5;

struct SYSTEM_INFO {
  std::uint32_t dwNumberOfProcessors = 0;
};

class PerformanceData {
 public:
  static constexpr const char* kDefaultSource = "/proc/stat";
  explicit PerformanceData(std::string sourcePath = kDefaultSource);
  ~PerformanceData();
  PerformanceData(const PerformanceData&) = delete;
  PerformanceData& operator=(const PerformanceData&) = delete;

  // dataSource must be null (live data); status 0 and a non-zero handle when the source can be
  // read and holds per-processor lines.
  PDH_STATUS PdhOpenQuery(const char* dataSource, std::uintptr_t userData, PDH_HQUERY* query);
  // 238 -> "Processor", 6 -> "% Processor Time". *size is the buffer's size in characters on
  // entry and the characters written (terminator included) on success.
  PDH_STATUS PdhLookupPerfNameByIndexA(const char* machine, std::uint32_t index, char* buffer,
                                       std::uint32_t* size);
  PDH_STATUS PdhVbAddCounter(PDH_HQUERY query, const char* path, PDH_HCOUNTER* counter);
  PDH_STATUS PdhCollectQueryData(PDH_HQUERY query);  // one read of the source
  // Usage in percent over the interval between the last two collections.
  double PdhVbGetDoubleCounterValue(PDH_HCOUNTER counter, PDH_STATUS* status);
  PDH_STATUS PdhCloseQuery(PDH_HQUERY query);
  // dwNumberOfProcessors: the processors online in the source.
  void GetSystemInfo(SYSTEM_INFO* info);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform
