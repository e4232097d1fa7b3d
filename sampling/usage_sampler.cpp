#include "sampling/usage_sampler.h"

#include <algorithm>
#include <utility>

#include "platform/runtime/runtime.h"
#include "sampling/elapsed_clock.h"

namespace sampling {

UsageSampler::UsageSampler(std::unique_ptr<platform::UsageSource> source) : source_(std::move(source)) {}

StartOutcome UsageSampler::Start() {
  if (!source_->Open()) return StartOutcome::SourceBroken;
  processors_ = std::clamp(source_->ProcessorCount(), 0, 2);
  return source_->Watch(processors_) ? StartOutcome::Started : StartOutcome::NoReading;
}

void UsageSampler::BeginTick() {
  if (ticks_ == 0) sums_[0] = sums_[1] = 0;
}

void UsageSampler::Sample() {
  if (source_) source_->Sample();
}

Reading UsageSampler::Read(int processor) {
  const platform::ProcessorUsage usage = source_ ? source_->Usage(processor) : platform::ProcessorUsage{};
  const bool valid = usage.status == platform::UsageStatus::Valid;
  if (valid) sums_[processor] = platform::CheckedDouble(sums_[processor] + usage.percent);
  return {usage.percent, valid};
}

void UsageSampler::CountTick() { ticks_ = platform::CheckedDouble(ticks_ + 1); }

double UsageSampler::Average(int processor) const { return platform::CheckedDivide(sums_[processor], ticks_); }

// Elapsed time runs on the monotonic clock, so changes of the wall clock (daylight saving, the
// clock set back) never make it jump or go negative.
std::string UsageSampler::ElapsedText(std::int64_t nowMonotonic) const {
  return ElapsedClockText(ElapsedSeconds(startMonotonic_, nowMonotonic));
}

void UsageSampler::Reset(std::int64_t nowMonotonic) {
  ticks_ = 0;
  startMonotonic_ = nowMonotonic;
}

}  // namespace sampling
