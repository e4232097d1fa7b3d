#include "platform/performance_data/processor_counters_win.h"
#include "platform/runtime/windows_system_win.h"

// The performance-data service, on top of the system's headers.
#include <pdh.h>
#undef PdhOpenQuery  // a name of our counters' interface; the calls here name PdhOpenQueryA

#include <string>
#include <unordered_map>

namespace platform {

namespace {

constexpr DWORD kProcessorObjectIndex = 238;
constexpr DWORD kProcessorTimeIndex = 6;

// Our handles are 32-bit numbers; the service's are pointers, kept behind them.
class ServiceCounters : public ProcessorCounters {
 public:
  ~ServiceCounters() override {
    for (auto& q : queries_) ::PdhCloseQuery(q.second);
  }

  PDH_STATUS OpenQuery(const char* dataSource, std::uintptr_t userData, PDH_HQUERY* query) override {
    if (query == nullptr) return PDH_INVALID_ARGUMENT;
    *query = 0;
    ::PDH_HQUERY real = nullptr;
    const ::PDH_STATUS status = ::PdhOpenQueryA(dataSource, userData, &real);
    if (status != ERROR_SUCCESS) return static_cast<PDH_STATUS>(status);
    *query = NewHandle();
    queries_.emplace(*query, real);
    return ERROR_SUCCESS;
  }

  PDH_STATUS LookupName(const char* machine, std::uint32_t index, char* buffer,
                                       std::uint32_t* size) override {
    if (size == nullptr) return PDH_INVALID_ARGUMENT;
    DWORD chars = *size;
    const ::PDH_STATUS status = ::PdhLookupPerfNameByIndexA(machine, index, buffer, &chars);
    *size = chars;
    return static_cast<PDH_STATUS>(status);
  }

  PDH_STATUS AddCounter(PDH_HQUERY query, const char* path, PDH_HCOUNTER* counter) override {
    if (counter == nullptr) return PDH_INVALID_ARGUMENT;
    *counter = 0;
    auto q = queries_.find(query);
    if (q == queries_.end()) return PDH_INVALID_HANDLE;
    ::PDH_HCOUNTER real = nullptr;
    const ::PDH_STATUS status = ::PdhAddCounterA(q->second, path, 0, &real);
    if (status != ERROR_SUCCESS) return static_cast<PDH_STATUS>(status);
    *counter = NewHandle();
    counters_.emplace(*counter, Counter{query, real});
    return ERROR_SUCCESS;
  }

  PDH_STATUS Collect(PDH_HQUERY query) override {
    auto q = queries_.find(query);
    if (q == queries_.end()) return PDH_INVALID_HANDLE;
    return static_cast<PDH_STATUS>(::PdhCollectQueryData(q->second));
  }

  // The formatted value with the counter's own status; a failed formatting gives its status
  // (for a rate counter after its first collection, invalid data) and 0.
  double Value(PDH_HCOUNTER counter, PDH_STATUS* status) override {
    PDH_STATUS ignored = 0;
    PDH_STATUS& st = status != nullptr ? *status : ignored;
    auto c = counters_.find(counter);
    if (c == counters_.end()) {
      st = PDH_INVALID_HANDLE;
      return 0.0;
    }
    PDH_FMT_COUNTERVALUE value{};
    const ::PDH_STATUS result = ::PdhGetFormattedCounterValue(c->second.real, PDH_FMT_DOUBLE, nullptr, &value);
    if (result != ERROR_SUCCESS) {
      st = static_cast<PDH_STATUS>(result);
      return 0.0;
    }
    st = static_cast<PDH_STATUS>(value.CStatus);
    return value.doubleValue;
  }

  PDH_STATUS CloseQuery(PDH_HQUERY query) override {
    auto q = queries_.find(query);
    if (q == queries_.end()) return PDH_INVALID_HANDLE;
    const ::PDH_STATUS status = ::PdhCloseQuery(q->second);  // frees its counters too
    queries_.erase(q);
    std::erase_if(counters_, [query](const auto& c) { return c.second.query == query; });
    return static_cast<PDH_STATUS>(status);
  }

  std::uint32_t NumberOfProcessors() override {
    ::SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
  }

 private:
  struct Counter {
    PDH_HQUERY query;
    ::PDH_HCOUNTER real;
  };

  std::uint32_t NewHandle() {
    if (++lastHandle_ == 0) ++lastHandle_;  // 0 is never a handle
    return lastHandle_;
  }

  std::unordered_map<PDH_HQUERY, ::PDH_HQUERY> queries_;
  std::unordered_map<PDH_HCOUNTER, Counter> counters_;
  std::uint32_t lastHandle_ = 0;
};

bool LookUp(DWORD index, std::string& name) {
  char buffer[260];
  DWORD chars = sizeof buffer;
  if (::PdhLookupPerfNameByIndexA(nullptr, index, buffer, &chars) != ERROR_SUCCESS || chars == 0) return false;
  name.assign(buffer, chars - 1);
  return true;
}

}  // namespace

bool ServiceHasProcessorCounters() {
  std::string object, counter;
  if (!LookUp(kProcessorObjectIndex, object) || !LookUp(kProcessorTimeIndex, counter)) return false;
  ::PDH_HQUERY query = nullptr;
  if (::PdhOpenQueryA(nullptr, 0, &query) != ERROR_SUCCESS) return false;
  ::PDH_HCOUNTER added = nullptr;
  const std::string path = "\\" + object + "(0)\\" + counter;
  const bool ok = ::PdhAddCounterA(query, path.c_str(), 0, &added) == ERROR_SUCCESS;
  ::PdhCloseQuery(query);
  return ok;
}

std::unique_ptr<ProcessorCounters> CreateServiceCounters() { return std::make_unique<ServiceCounters>(); }

}  // namespace platform
