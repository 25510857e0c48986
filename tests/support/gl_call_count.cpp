#include "tests/support/gl_call_count.h"

#include "woxa/platform/win32.h"

#ifndef _WIN32
#include <dlfcn.h>

namespace {

long begin_calls = 0;
long end_calls = 0;

template <typename F>
F Real(const char* name) {
  // The next definition after this program's own: the GL library's.
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
  static const auto real = Real<void (*)(GLenum)>("glBegin");
  ++begin_calls;
  real(mode);
}

void glEnd(void) {
  static const auto real = Real<void (*)()>("glEnd");
  ++end_calls;
  real();
}

}  // extern "C"

namespace woxa_test {

bool GlCallsCounted() { return true; }
GlCallCount GlCalls() { return GlCallCount{begin_calls, end_calls}; }

}  // namespace woxa_test

#else

namespace woxa_test {

bool GlCallsCounted() { return false; }
GlCallCount GlCalls() { return GlCallCount{}; }

}  // namespace woxa_test

#endif
