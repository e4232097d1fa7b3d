// A usage source whose answers a test sets; it notes what it is asked and when it goes.
#pragma once

#include "platform/performance_data/usage_source.h"

namespace testing_usage {

struct Script {
  bool opens = true;
  int processors = 2;
  bool watches = true;
  int watched = -1;  // what Watch was asked for
  int samples = 0;
  bool closed = false;  // the source has been destroyed
  platform::ProcessorUsage usage[3];  // what Usage answers, until the test changes it
};

class ScriptedUsageSource : public platform::UsageSource {
 public:
  explicit ScriptedUsageSource(Script* s) : s_(s) {}
  ~ScriptedUsageSource() override { s_->closed = true; }
  bool Open() override { return s_->opens; }
  int ProcessorCount() override { return s_->processors; }
  bool Watch(int processors) override {
    s_->watched = processors;
    return s_->watches;
  }
  void Sample() override { ++s_->samples; }
  platform::ProcessorUsage Usage(int processor) override { return s_->usage[processor]; }

 private:
  Script* s_;
};

inline platform::ProcessorUsage Valid(double percent) { return {percent, platform::UsageStatus::Valid}; }

}  // namespace testing_usage
