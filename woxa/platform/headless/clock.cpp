// The multimedia timer: timeGetTime's millisecond clock and the period
// requests of timeBeginPeriod and timeEndPeriod.
#include <chrono>
#include <map>
#include <thread>

#include "woxa/platform/headless/control.h"

namespace woxa {
namespace headless {
namespace {

struct ClockState {
  bool frozen = false;
  std::uint32_t frozen_now = 0;
  std::map<unsigned, int> open_periods;
  int period_calls = 0;
};

ClockState& Clock() {
  static ClockState state;
  return state;
}

}  // namespace

void SetClock(std::uint32_t now) {
  Clock().frozen = true;
  Clock().frozen_now = now;
}

void AdvanceClock(std::uint32_t milliseconds) {
  if (!Clock().frozen) SetClock(timeGetTime());
  Clock().frozen_now += milliseconds;  // unsigned: wraps modulo 2^32
}

void UseRealClock() { Clock().frozen = false; }

int OpenTimerPeriods(unsigned period) {
  int open = 0;
  for (const auto& entry : Clock().open_periods) {
    if (period == 0 || entry.first == period) open += entry.second;
  }
  return open;
}

int TimerPeriodCalls() { return Clock().period_calls; }

}  // namespace headless
}  // namespace woxa


DWORD WINAPI timeGetTime(void) {
  if (woxa::headless::Clock().frozen) return woxa::headless::Clock().frozen_now;
  // Like Windows: milliseconds since the system started, in 32 bits.
  auto since_boot = std::chrono::steady_clock::now().time_since_epoch();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_boot).count();
  return static_cast<DWORD>(static_cast<std::uint64_t>(ms));
}

MMRESULT WINAPI timeBeginPeriod(UINT period) {
  auto& clock = woxa::headless::Clock();
  ++clock.period_calls;
  if (period == 0) return TIMERR_NOCANDO;
  ++clock.open_periods[period];
  return TIMERR_NOERROR;
}

MMRESULT WINAPI timeEndPeriod(UINT period) {
  auto& clock = woxa::headless::Clock();
  ++clock.period_calls;
  auto it = clock.open_periods.find(period);
  if (it == clock.open_periods.end() || it->second == 0) return TIMERR_NOCANDO;
  --it->second;
  return TIMERR_NOERROR;
}

void WINAPI Sleep(DWORD milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
