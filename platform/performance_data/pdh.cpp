#include "platform/performance_data/pdh.h"

#include <utility>

#include "platform/performance_data/processor_counters.h"

namespace platform {

// Every call goes to this system's counters, chosen once at construction.
struct PerformanceData::State {
  std::unique_ptr<ProcessorCounters> counters;
};

PerformanceData::PerformanceData(std::string sourcePath)
    : state_(std::make_unique<State>(State{CreateSystemCounters(std::move(sourcePath))})) {}

PerformanceData::~PerformanceData() = default;

PDH_STATUS PerformanceData::PdhOpenQuery(const char* dataSource, std::uintptr_t userData, PDH_HQUERY* query) {
  return state_->counters->OpenQuery(dataSource, userData, query);
}

PDH_STATUS PerformanceData::PdhLookupPerfNameByIndexA(const char* machine, std::uint32_t index, char* buffer,
                                                      std::uint32_t* size) {
  return state_->counters->LookupName(machine, index, buffer, size);
}

PDH_STATUS PerformanceData::PdhVbAddCounter(PDH_HQUERY query, const char* path, PDH_HCOUNTER* counter) {
  return state_->counters->AddCounter(query, path, counter);
}

PDH_STATUS PerformanceData::PdhCollectQueryData(PDH_HQUERY query) {
  return state_->counters->Collect(query);
}

double PerformanceData::PdhVbGetDoubleCounterValue(PDH_HCOUNTER counter, PDH_STATUS* status) {
  return state_->counters->Value(counter, status);
}

PDH_STATUS PerformanceData::PdhCloseQuery(PDH_HQUERY query) { return state_->counters->CloseQuery(query); }

void PerformanceData::GetSystemInfo(SYSTEM_INFO* info) {
  if (info != nullptr) info->dwNumberOfProcessors = state_->counters->NumberOfProcessors();
}

}  // namespace platform
