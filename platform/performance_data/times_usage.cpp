#include "platform/performance_data/times_usage.h"

#include <utility>

namespace platform {

bool UsageBetween(const CpuTimes& a, const CpuTimes& b, double& percent) {
  const std::uint64_t CpuTimes::*fields[] = {&CpuTimes::user,   &CpuTimes::nice,
                                             &CpuTimes::system, &CpuTimes::idle,
                                             &CpuTimes::iowait, &CpuTimes::irq,
                                             &CpuTimes::softirq, &CpuTimes::steal};
  std::uint64_t total = 0;
  for (auto f : fields) {
    if (b.*f < a.*f) return false;
    if (__builtin_add_overflow(total, b.*f - a.*f, &total)) return false;
  }
  if (total == 0) return false;
  // idle + iowait is part of total, so it cannot overflow.
  const std::uint64_t idle = (b.idle - a.idle) + (b.iowait - a.iowait);
  double v = 100.0 * (1.0 - static_cast<double>(idle) / static_cast<double>(total));
  percent = v < 0.0 ? 0.0 : (v > 100.0 ? 100.0 : v);
  return true;
}

namespace {

int CountPresent(const std::vector<CpuTimes>& cpus) {
  int n = 0;
  for (const CpuTimes& c : cpus) n += c.present ? 1 : 0;
  return n;
}

class TimesUsageSource : public UsageSource {
 public:
  explicit TimesUsageSource(ProcessorTimesReader read) : read_(std::move(read)) {}

  bool Open() override {
    const bool ok = read_(latest_) && CountPresent(latest_) > 0;
    latest_.clear();  // the probe is not a sample
    return ok;
  }

  int ProcessorCount() override {
    std::vector<CpuTimes> cpus;
    return read_(cpus) ? CountPresent(cpus) : 0;
  }

  // Any processor number can be watched: one absent now may come online later.
  bool Watch(int processors) override {
    watched_ = processors;
    return processors > 0;
  }

  void Sample() override {
    previous_.swap(latest_);
    sampled_ = true;
    if (!read_(latest_)) latest_.clear();
  }

  ProcessorUsage Usage(int processor) override {
    if (processor < 0 || processor >= watched_) return {};
    const auto p = static_cast<std::size_t>(processor);
    if (!sampled_) return {0, UsageStatus::NotYetValid};
    if (p >= latest_.size() || !latest_[p].present) return {};
    ProcessorUsage usage{0, UsageStatus::NotYetValid};
    if (p < previous_.size() && previous_[p].present && UsageBetween(previous_[p], latest_[p], usage.percent))
      usage.status = UsageStatus::Valid;
    return usage;
  }

 private:
  ProcessorTimesReader read_;
  std::vector<CpuTimes> previous_, latest_;  // a failed read leaves its sample empty
  bool sampled_ = false;
  int watched_ = 0;
};

}  // namespace

std::unique_ptr<UsageSource> CreateTimesUsageSource(ProcessorTimesReader read) {
  return std::make_unique<TimesUsageSource>(std::move(read));
}

}  // namespace platform
