#include "platform/performance_data/pdh.h"

#include <cstring>
#include <string_view>
#include <utility>
#include <unordered_map>
#include <vector>

#include "platform/performance_data/counter_file_unix.h"
#include "platform/performance_data/pdh_usage.h"
#include "platform/performance_data/proc_stat_unix.h"

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

}  // namespace

struct PerformanceData::State {
  struct Query {
    std::vector<CpuTimes> previous, latest;
    int collections = 0;  // successful or not; a failed one leaves latest empty
    std::size_t counters = 0;
  };
  struct Counter {
    PDH_HQUERY query;
    std::size_t processor;
  };

  explicit State(std::string path) : source(std::move(path)) {}

  CounterFile source;
  std::string text;  // file contents, reused between reads
  std::unordered_map<PDH_HQUERY, Query> queries;
  std::unordered_map<PDH_HCOUNTER, Counter> counters;
  std::uint32_t lastHandle = 0;

  std::uint32_t NewHandle() {
    if (++lastHandle == 0) ++lastHandle;  // 0 is never a handle
    return lastHandle;
  }
};

PerformanceData::PerformanceData(std::string sourcePath)
    : state_(std::make_unique<State>(std::move(sourcePath))) {}

PerformanceData::~PerformanceData() = default;

PDH_STATUS PerformanceData::PdhOpenQuery(const char* dataSource, std::uintptr_t /*userData*/,
                                         PDH_HQUERY* query) {
  if (query == nullptr) return PDH_INVALID_ARGUMENT;
  *query = 0;
  if (dataSource != nullptr) return PDH_INVALID_ARGUMENT;  // only live data is supported
  State::Query q;
  if (!state_->source.Read(state_->text) || ParseProcStat(state_->text, q.latest) == 0)
    return PDH_NO_DATA;
  q.latest.clear();  // the probe is not a collection
  PDH_HQUERY h = state_->NewHandle();
  state_->queries.emplace(h, std::move(q));
  *query = h;
  return ERROR_SUCCESS;
}

PDH_STATUS PerformanceData::PdhLookupPerfNameByIndexA(const char* machine, std::uint32_t index,
                                                      char* buffer, std::uint32_t* size) {
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

PDH_STATUS PerformanceData::PdhVbAddCounter(PDH_HQUERY query, const char* path,
                                            PDH_HCOUNTER* counter) {
  if (counter == nullptr) return PDH_INVALID_ARGUMENT;
  *counter = 0;
  auto q = state_->queries.find(query);
  if (q == state_->queries.end()) return PDH_INVALID_HANDLE;
  std::size_t processor = 0;
  if (path == nullptr || !ParseCounterPath(path, processor)) return PDH_CSTATUS_BAD_COUNTERNAME;
  PDH_HCOUNTER h = state_->NewHandle();
  state_->counters.emplace(h, State::Counter{query, processor});
  ++q->second.counters;
  *counter = h;
  return ERROR_SUCCESS;
}

PDH_STATUS PerformanceData::PdhCollectQueryData(PDH_HQUERY query) {
  auto it = state_->queries.find(query);
  if (it == state_->queries.end()) return PDH_INVALID_HANDLE;
  State::Query& q = it->second;
  if (q.counters == 0) return PDH_NO_DATA;
  q.previous.swap(q.latest);
  ++q.collections;
  if (!state_->source.Read(state_->text)) {
    q.latest.clear();
    return PDH_NO_DATA;
  }
  ParseProcStat(state_->text, q.latest);
  return ERROR_SUCCESS;
}

double PerformanceData::PdhVbGetDoubleCounterValue(PDH_HCOUNTER counter, PDH_STATUS* status) {
  PDH_STATUS ignored = 0;
  PDH_STATUS& st = status != nullptr ? *status : ignored;
  auto c = state_->counters.find(counter);
  if (c == state_->counters.end()) {
    st = PDH_INVALID_HANDLE;
    return 0.0;
  }
  const State::Query& q = state_->queries.at(c->second.query);
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
  if (p >= q.previous.size() || !q.previous[p].present ||
      !UsageBetween(q.previous[p], q.latest[p], percent)) {
    st = PDH_CSTATUS_INVALID_DATA;
    return 0.0;
  }
  st = PDH_CSTATUS_VALID_DATA;
  return percent;
}

PDH_STATUS PerformanceData::PdhCloseQuery(PDH_HQUERY query) {
  if (state_->queries.erase(query) == 0) return PDH_INVALID_HANDLE;
  std::erase_if(state_->counters, [query](const auto& c) { return c.second.query == query; });
  return ERROR_SUCCESS;
}

void PerformanceData::GetSystemInfo(SYSTEM_INFO* info) {
  if (info == nullptr) return;
  info->dwNumberOfProcessors = 0;
  std::vector<CpuTimes> cpus;
  if (state_->source.Read(state_->text))
    info->dwNumberOfProcessors = static_cast<std::uint32_t>(ParseProcStat(state_->text, cpus));
}

}  // namespace platform
