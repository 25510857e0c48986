// Counts of glBegin and glEnd calls, for tests that check how drawing code
// batches its primitives. On Linux the test program defines glBegin and
// glEnd itself: each counts the call and passes it on to the real GL, so
// everything is drawn as before. Windows has no such interposition; there
// the counts stay unavailable.
#pragma once

namespace woxa_test {

struct GlCallCount {
  long begin = 0;
  long end = 0;
};

// False where calls are not counted (Windows).
bool GlCallsCounted();
// The calls made so far in this process.
GlCallCount GlCalls();

}  // namespace woxa_test
