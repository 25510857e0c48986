#include "woxa/timing/timer.h"

#include "woxa/platform/win32.h"

namespace woxa {

Timer::Timer() : base_time_(timeGetTime()), period_(10) {
  // A system that refuses the period leaves the timer at its default
  // resolution; nothing else depends on it.
  timeBeginPeriod(period_);
}

Timer::~Timer() { timeEndPeriod(period_); }

std::uint32_t Timer::Now() const { return static_cast<std::uint32_t>(timeGetTime() - base_time_); }

}  // namespace woxa
