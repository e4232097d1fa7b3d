#include "sampling/elapsed_clock.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace sampling;

TEST(ElapsedClockText, HoursMinutesSecondsOfTheDay) {
  struct Case {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "00:00:00"},        {1, "00:00:01"},         {59, "00:00:59"},
      {60, "00:01:00"},       {3599, "00:59:59"},      {3600, "01:00:00"},
      {86399, "23:59:59"},    {86400, "00:00:00"},     {25 * 3600, "01:00:00"},
      {-5, "00:00:00"},       {INT64_MAX, "15:30:07"}, {INT64_MIN, "00:00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(ElapsedClockText(c.seconds), c.text) << c.seconds;
}

TEST(ElapsedSeconds, NeverNegative) {
  EXPECT_EQ(ElapsedSeconds(100, 100), 0);
  EXPECT_EQ(ElapsedSeconds(100, 161), 61);
  EXPECT_EQ(ElapsedSeconds(100, 40), 0);
  EXPECT_EQ(ElapsedSeconds(INT64_MIN, INT64_MAX), INT64_MAX);
}
