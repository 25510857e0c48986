// Controls of the headless platform that only tests use: the clock, the
// timer-period bookkeeping, the screen, and the frames a window presented.
// Windows has no such calls; tests that need them build only where this
// header exists (everywhere but _WIN32).
#pragma once

#include <cstdint>
#include <vector>

#include "woxa/platform/win32.h"

namespace woxa {
namespace headless {

// The millisecond clock behind timeGetTime. By default it follows the
// system's monotonic clock; SetClock freezes it at a value, after which only
// AdvanceClock moves it (wrapping modulo 2^32 like the real one).
void SetClock(std::uint32_t now);
void AdvanceClock(std::uint32_t milliseconds);
void UseRealClock();

// timeBeginPeriod calls not yet matched by timeEndPeriod, for one period
// (or for all periods when period is 0), and the total calls ever made.
int OpenTimerPeriods(unsigned period = 0);
int TimerPeriodCalls();

// The system cursor's display counter (ShowCursor).
int CursorDisplayCount();

// What SwapBuffers last presented in a window: RGBA bytes, rows from the
// bottom of the client area up, as glReadPixels returns them.
struct Capture {
  int width = 0;
  int height = 0;
  unsigned frames = 0;  // how many SwapBuffers have presented so far
  std::vector<std::uint8_t> rgba;

  // The pixel at client position (x, y), y counted from the top as in
  // window coordinates. Out of range gives 0.
  std::uint32_t PixelAt(int x, int y) const;  // 0xRRGGBBAA
};
const Capture* CaptureOf(HWND window);

}  // namespace headless
}  // namespace woxa
