#include <cstring>
#include <string_view>
#include <unordered_map>

#include "platform/performance_data/pdh_usage.h"
#include "platform/performance_data/processor_counters.h"

namespace platform {

namespace {

constexpr std::uint32_t kProcessorObjectIndex = 238;
constexpr std::uint32_t kProcessorTimeIndex = 6;
constexpr std::string_view kProcessorObject = "Processor";
constexpr std::string_view kProcessorTime = "% Processor Time";

const std::string_view* NameOfIndex(std::uint32_t index) {
  if (index == kProcessorObjectIndex) return &kProcessorObject;
  if (index == kProcessorTimeIndex) return &kProcessorTime;
  return nullptr;
}

// Parses "\Processor(N)\% Processor Time": N plain decimal digits without leading zeros
// (except "0"). A number too large for any processor saturates; it then never has an instance.
bool ParseCounterPath(std::string_view path, std::size_t& processor) {
  auto take = [&path](std::string_view piece) {
    if (path.substr(0, piece.size()) != piece) return false;
    path.remove_prefix(piece.size());
    return true;
  };
  if (!take("\\") || !take(kProcessorObject) || !take("(")) return false;
  std::size_t digits = 0;
  while (digits < path.size() && path[digits] >= '0' && path[digits] <= '9') ++digits;
  if (digits == 0 || (digits > 1 && path[0] == '0')) return false;
  processor = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    processor = processor * 10 + static_cast<std::size_t>(path[i] - '0');
    if (processor >= kMaxProcessors) processor = kMaxProcessors;
  }
  path.remove_prefix(digits);
  return take(")\\") && take(kProcessorTime) && path.empty();
}

std::size_t CountPresent(const std::vector<CpuTimes>& cpus) {
  std::size_t n = 0;
  for (const CpuTimes& c : cpus) n += c.present ? 1 : 0;
  return n;
}

class TimesCounters : public ProcessorCounters {
 public:
  explicit TimesCounters(ProcessorTimesReader read) : read_(std::move(read)) {}

  PDH_STATUS OpenQuery(const char* dataSource, std::uintptr_t, PDH_HQUERY* query) override {
    if (query == nullptr) return PDH_INVALID_ARGUMENT;
    *query = 0;
    if (dataSource != nullptr) return PDH_INVALID_ARGUMENT;  // only live data is supported
    Query q;
    if (!read_(q.latest) || CountPresent(q.latest) == 0) return PDH_NO_DATA;
    q.latest.clear();  // the probe is not a collection
    const PDH_HQUERY h = NewHandle();
    queries_.emplace(h, std::move(q));
    *query = h;
    return ERROR_SUCCESS;
  }

  PDH_STATUS LookupName(const char* machine, std::uint32_t index, char* buffer,
                                       std::uint32_t* size) override {
    if (size == nullptr || (machine != nullptr && *machine != '\0')) return PDH_INVALID_ARGUMENT;
    const std::string_view* name = NameOfIndex(index);
    if (name == nullptr) return PDH_INVALID_ARGUMENT;
    const auto needed = static_cast<std::uint32_t>(name->size() + 1);
    if (buffer == nullptr || *size < needed) {
      *size = needed;
      return PDH_MORE_DATA;
    }
    std::memcpy(buffer, name->data(), name->size());
    buffer[name->size()] = '\0';
    *size = needed;
    return ERROR_SUCCESS;
  }

  PDH_STATUS AddCounter(PDH_HQUERY query, const char* path, PDH_HCOUNTER* counter) override {
    if (counter == nullptr) return PDH_INVALID_ARGUMENT;
    *counter = 0;
    auto q = queries_.find(query);
    if (q == queries_.end()) return PDH_INVALID_HANDLE;
    std::size_t processor = 0;
    if (path == nullptr || !ParseCounterPath(path, processor)) return PDH_CSTATUS_BAD_COUNTERNAME;
    const PDH_HCOUNTER h = NewHandle();
    counters_.emplace(h, Counter{query, processor});
    ++q->second.counters;
    *counter = h;
    return ERROR_SUCCESS;
  }

  PDH_STATUS Collect(PDH_HQUERY query) override {
    auto it = queries_.find(query);
    if (it == queries_.end()) return PDH_INVALID_HANDLE;
    Query& q = it->second;
    if (q.counters == 0) return PDH_NO_DATA;
    q.previous.swap(q.latest);
    ++q.collections;
    if (!read_(q.latest)) {
      q.latest.clear();
      return PDH_NO_DATA;
    }
    return ERROR_SUCCESS;
  }

  double Value(PDH_HCOUNTER counter, PDH_STATUS* status) override {
    PDH_STATUS ignored = 0;
    PDH_STATUS& st = status != nullptr ? *status : ignored;
    auto c = counters_.find(counter);
    if (c == counters_.end()) {
      st = PDH_INVALID_HANDLE;
      return 0.0;
    }
    const Query& q = queries_.at(c->second.query);
    const std::size_t p = c->second.processor;
    if (q.collections == 0) {
      st = PDH_CSTATUS_INVALID_DATA;
      return 0.0;
    }
    if (p >= q.latest.size() || !q.latest[p].present) {
      st = PDH_CSTATUS_NO_INSTANCE;
      return 0.0;
    }
    double percent = 0.0;
    if (p >= q.previous.size() || !q.previous[p].present || !UsageBetween(q.previous[p], q.latest[p], percent)) {
      st = PDH_CSTATUS_INVALID_DATA;
      return 0.0;
    }
    st = PDH_CSTATUS_VALID_DATA;
    return percent;
  }

  PDH_STATUS CloseQuery(PDH_HQUERY query) override {
    if (queries_.erase(query) == 0) return PDH_INVALID_HANDLE;
    std::erase_if(counters_, [query](const auto& c) { return c.second.query == query; });
    return ERROR_SUCCESS;
  }

  std::uint32_t NumberOfProcessors() override {
    std::vector<CpuTimes> cpus;
    return read_(cpus) ? static_cast<std::uint32_t>(CountPresent(cpus)) : 0;
  }

 private:
  struct Query {
    std::vector<CpuTimes> previous, latest;
    int collections = 0;  // successful or not; a failed one leaves latest empty
    std::size_t counters = 0;
  };
  struct Counter {
    PDH_HQUERY query;
    std::size_t processor;
  };

  std::uint32_t NewHandle() {
    if (++lastHandle_ == 0) ++lastHandle_;  // 0 is never a handle
    return lastHandle_;
  }

  ProcessorTimesReader read_;
  std::unordered_map<PDH_HQUERY, Query> queries_;
  std::unordered_map<PDH_HCOUNTER, Counter> counters_;
  std::uint32_t lastHandle_ = 0;
};

}  // namespace

std::unique_ptr<ProcessorCounters> CreateTimesCounters(ProcessorTimesReader read) {
  return std::make_unique<TimesCounters>(std::move(read));
}

}  // namespace platform
