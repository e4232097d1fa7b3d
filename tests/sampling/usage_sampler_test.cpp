#include "sampling/usage_sampler.h"

#include <gtest/gtest.h>

#include "platform/runtime/runtime.h"
#include "support/scripted_usage_source.h"

using namespace sampling;
using platform::ProcessorUsage;
using platform::UsageStatus;

namespace {

using FakeState = testing_usage::Script;
using FakeSource = testing_usage::ScriptedUsageSource;
using testing_usage::Valid;

// One tick as Form1 runs it; returns the two readings.
void Tick(UsageSampler& s, Reading (&r)[2]) {
  s.BeginTick();
  s.Sample();
  for (int i = 0; i < 2; ++i) r[i] = s.Read(i);
  s.CountTick();
}

}  // namespace

TEST(UsageSamplerStart, OpensCountsAtMostTwoAndWatchesThem) {
  struct Case {
    bool opens;
    int processors;
    bool watches;
    StartOutcome outcome;
    int watched;
  } cases[] = {{false, 2, true, StartOutcome::SourceBroken, -1},
               {true, 8, true, StartOutcome::Started, 2},
               {true, 1, true, StartOutcome::Started, 1},
               {true, 2, false, StartOutcome::NoReading, 2},
               {true, 0, false, StartOutcome::NoReading, 0}};
  for (const Case& c : cases) {
    FakeState st;
    st.opens = c.opens;
    st.processors = c.processors;
    st.watches = c.watches;
    UsageSampler s(std::make_unique<FakeSource>(&st));
    EXPECT_EQ(s.Start(), c.outcome) << c.processors;
    EXPECT_EQ(st.watched, c.watched) << c.processors;
    if (c.outcome == StartOutcome::Started) {
      EXPECT_EQ(s.Processors(), c.watched);
    }
  }
}

TEST(UsageSampler, SumsValidReadingsAndCountsEveryTick) {
  FakeState st;
  UsageSampler s(std::make_unique<FakeSource>(&st));
  ASSERT_EQ(s.Start(), StartOutcome::Started);
  Reading r[2];
  st.usage[0] = Valid(30);
  st.usage[1] = {7, UsageStatus::NotYetValid};
  Tick(s, r);
  EXPECT_TRUE(r[0].valid);
  EXPECT_FALSE(r[1].valid);
  EXPECT_EQ(r[1].percent, 7);  // passed on whatever its status
  st.usage[0] = {0, UsageStatus::Failed};
  st.usage[1] = Valid(60);
  Tick(s, r);
  EXPECT_EQ(st.samples, 2);
  EXPECT_EQ(s.Ticks(), 2);
  EXPECT_DOUBLE_EQ(s.Sum(0), 30);
  EXPECT_DOUBLE_EQ(s.Sum(1), 60);
  // An invalid reading weighs in the average as 0.
  EXPECT_DOUBLE_EQ(s.Average(0), 15);
  EXPECT_DOUBLE_EQ(s.Average(1), 30);
}

TEST(UsageSampler, AResetRestartsTheCountAndTheNextTickTheSums) {
  FakeState st;
  UsageSampler s(std::make_unique<FakeSource>(&st));
  ASSERT_EQ(s.Start(), StartOutcome::Started);
  st.usage[0] = st.usage[1] = Valid(90);
  Reading r[2];
  Tick(s, r);
  s.Reset(1000);
  EXPECT_EQ(s.Ticks(), 0);
  EXPECT_DOUBLE_EQ(s.Sum(0), 90);  // until the next tick
  EXPECT_EQ(s.ElapsedText(1000 + 3661), "01:01:01");
  st.usage[0] = Valid(10);
  st.usage[1] = Valid(20);
  Tick(s, r);
  EXPECT_EQ(s.Ticks(), 1);
  EXPECT_DOUBLE_EQ(s.Sum(0), 10);
  EXPECT_DOUBLE_EQ(s.Sum(1), 20);
  EXPECT_THROW(UsageSampler(std::make_unique<FakeSource>(&st)).Average(0), platform::RuntimeError);  // 0 / 0
}

TEST(UsageSampler, AfterCloseTheSourceIsGoneAndNoReadingIsValid) {
  FakeState st;
  UsageSampler s(std::make_unique<FakeSource>(&st));
  ASSERT_EQ(s.Start(), StartOutcome::Started);
  st.usage[0] = Valid(50);
  s.Close();
  EXPECT_TRUE(st.closed);
  s.Sample();
  EXPECT_FALSE(s.Read(0).valid);
  EXPECT_EQ(st.samples, 0);
}
