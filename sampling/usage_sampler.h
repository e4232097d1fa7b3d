// Sampling of processors 0 and 1: the usage source set up at start, one reading of each per
// tick, and the running sums and tick count behind the averages since the last reset.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/performance_data/usage_source.h"

namespace sampling {

// What setting up the usage source came to.
enum class StartOutcome {
  Started,
  SourceBroken,  // the source cannot be opened
  NoReading,     // the last processor to be sampled has no reading
};

struct Reading {
  double percent = 0;  // as the source gives it, valid or not
  bool valid = false;
};

class UsageSampler {
 public:
  explicit UsageSampler(std::unique_ptr<platform::UsageSource> source);

  // Opens the source, counts the processors (at most two are sampled) and watches them.
  StartOutcome Start();
  int Processors() const { return processors_; }

  // One tick, step by step: the first tick after a reset starts from empty sums; one sample of
  // the source; each processor's reading, a valid one added to its sum (processor 1 is read
  // also on a one-processor machine, where it is never valid); the tick counted.
  void BeginTick();
  void Sample();
  Reading Read(int processor);
  void CountTick();

  // Since the last reset: ticks counted (an invalid reading counts as 0 in the average),
  // the sum of each processor's valid readings, and their average (sum / ticks; ticks > 0).
  double Ticks() const { return ticks_; }
  double Sum(int processor) const { return sums_[processor]; }
  double Average(int processor) const;
  // "hh:nn:ss" since the reset, on the monotonic clock.
  std::string ElapsedText(std::int64_t nowMonotonic) const;

  // Restarts the count (the sums follow at the next tick) and the clock.
  void Reset(std::int64_t nowMonotonic);
  // Lets go of the source; no reading is valid after it.
  void Close() { source_.reset(); }

 private:
  std::unique_ptr<platform::UsageSource> source_;
  int processors_ = 0;
  double sums_[2] = {0, 0};
  double ticks_ = 0;
  std::int64_t startMonotonic_ = 0;
};

}  // namespace sampling
