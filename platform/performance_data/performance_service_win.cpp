#include "platform/performance_data/usage_source_win.h"

#include "platform/runtime/windows_system_win.h"

#include <pdh.h>
#undef PdhOpenQuery  // the ANSI/wide macro; the calls here name their forms
#include <pdhmsg.h>

#include <string>
#include <vector>

namespace platform {

namespace {

constexpr DWORD kProcessorObjectIndex = 238;
constexpr DWORD kProcessorTimeIndex = 6;

// The service's name for an index in the system's language; empty when it has none.
std::string LookUp(DWORD index) {
  char buffer[260];
  DWORD chars = sizeof buffer;
  if (::PdhLookupPerfNameByIndexA(nullptr, index, buffer, &chars) != ERROR_SUCCESS || chars == 0) return {};
  return std::string(buffer, chars - 1);
}

// "\Processor(N)\% Processor Time" in the system's own names; empty without them.
std::string CounterPath(int processor) {
  const std::string object = LookUp(kProcessorObjectIndex), counter = LookUp(kProcessorTimeIndex);
  if (object.empty() || counter.empty()) return {};
  return "\\" + object + "(" + std::to_string(processor) + ")\\" + counter;
}

// A rate needs two collections: until then, and after a counter wrapped, the data is invalid.
UsageStatus StatusOf(DWORD status) {
  if (status == PDH_CSTATUS_VALID_DATA || status == PDH_CSTATUS_NEW_DATA) return UsageStatus::Valid;
  if (status == PDH_CSTATUS_INVALID_DATA || status == PDH_INVALID_DATA) return UsageStatus::NotYetValid;
  return UsageStatus::Failed;
}

// One query of the service with one processor-time counter per watched processor.
class ServiceUsageSource : public UsageSource {
 public:
  ~ServiceUsageSource() override {
    if (query_ != nullptr) ::PdhCloseQuery(query_);  // frees its counters too
  }

  bool Open() override { return ::PdhOpenQueryA(nullptr, 1, &query_) == ERROR_SUCCESS; }

  int ProcessorCount() override {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
  }

  // A processor whose counter the service refuses has none; the last one decides.
  bool Watch(int processors) override {
    counters_.assign(processors > 0 ? processors : 0, nullptr);
    for (int i = 0; i < processors; ++i) {
      PDH_HCOUNTER counter = nullptr;
      if (::PdhAddCounterA(query_, CounterPath(i).c_str(), 0, &counter) == ERROR_SUCCESS) counters_[i] = counter;
    }
    return !counters_.empty() && counters_.back() != nullptr;
  }

  void Sample() override { ::PdhCollectQueryData(query_); }

  ProcessorUsage Usage(int processor) override {
    if (processor < 0 || processor >= static_cast<int>(counters_.size()) || counters_[processor] == nullptr)
      return {};
    PDH_FMT_COUNTERVALUE value{};
    const PDH_STATUS result = ::PdhGetFormattedCounterValue(counters_[processor], PDH_FMT_DOUBLE, nullptr, &value);
    if (result != ERROR_SUCCESS) return {0, StatusOf(static_cast<DWORD>(result))};
    return {value.doubleValue, StatusOf(value.CStatus)};
  }

 private:
  PDH_HQUERY query_ = nullptr;
  std::vector<PDH_HCOUNTER> counters_;  // null where the service has no counter
};

}  // namespace

bool ServiceHasProcessorCounters() {
  const std::string path = CounterPath(0);
  PDH_HQUERY query = nullptr;
  if (path.empty() || ::PdhOpenQueryA(nullptr, 0, &query) != ERROR_SUCCESS) return false;
  PDH_HCOUNTER added = nullptr;
  const bool ok = ::PdhAddCounterA(query, path.c_str(), 0, &added) == ERROR_SUCCESS;
  ::PdhCloseQuery(query);
  return ok;
}

std::unique_ptr<UsageSource> CreateServiceUsageSource() { return std::make_unique<ServiceUsageSource>(); }

}  // namespace platform
