#include "woxa/timing/timer.h"

#include <gtest/gtest.h>

#include "woxa/platform/win32.h"
#ifndef _WIN32
#include "woxa/platform/headless/control.h"
#endif

namespace woxa {
namespace {

TEST(Timer, StartsNearZeroAndNeverRunsBackwards) {
  Timer timer;
  std::uint32_t first = timer.Now();
  EXPECT_LT(first, 1000u);
  std::uint32_t previous = first;
  for (int i = 0; i < 1000; ++i) {
    std::uint32_t now = timer.Now();
    EXPECT_GE(now, previous);
    previous = now;
  }
  EXPECT_EQ(Timer::Instance(), &timer);
}

#ifndef _WIN32
TEST(Timer, HoldsTheTenMillisecondPeriodForItsLifetime) {
  int calls = headless::TimerPeriodCalls();
  {
    Timer timer;
    EXPECT_EQ(headless::OpenTimerPeriods(10), 1);
  }
  EXPECT_EQ(headless::OpenTimerPeriods(10), 0);
  EXPECT_EQ(headless::TimerPeriodCalls(), calls + 2);  // one begin, one end, never read
}

TEST(Timer, KeepsCountingAcrossTheSystemClockWrap) {
  headless::SetClock(0xFFFFFFFFu - 5);  // 6 ms before the 2^32 wrap
  Timer timer;
  EXPECT_EQ(timer.Now(), 0u);
  headless::AdvanceClock(4);
  std::uint32_t before = timer.Now();
  headless::AdvanceClock(10);  // the system clock wraps here
  std::uint32_t after = timer.Now();
  EXPECT_EQ(before, 4u);
  EXPECT_EQ(after, 14u);
  EXPECT_EQ(static_cast<std::uint32_t>(after - before), 10u);
  headless::UseRealClock();
}

TEST(Timer, DifferencesStayRightWhenTheTimerClockItselfWraps) {
  headless::SetClock(1000);
  Timer timer;
  headless::AdvanceClock(0xFFFFFFF0u);
  std::uint32_t before = timer.Now();
  headless::AdvanceClock(0x20);
  std::uint32_t after = timer.Now();
  EXPECT_LT(after, before);  // the clock itself wrapped
  EXPECT_EQ(static_cast<std::uint32_t>(after - before), 0x20u);
  headless::UseRealClock();
}
#endif

}  // namespace
}  // namespace woxa
