// The one door to the operating system. Every other file of the library, the
// programs and the tests includes this header and calls the Win32, WGL,
// multimedia-timer, OpenGL and GLU functions by their own names.
//
// On Windows it includes the system's headers. Everywhere else it declares
// the subset of the Win32 API that the toolkit and its tests use, and the
// headless platform in woxa/platform/headless/ implements that subset.
#pragma once

#if defined(_WIN32)
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
#  include <mmsystem.h>
#  include <GL/gl.h>
#  include <GL/glu.h>
#else
#  include <GL/gl.h>
#  include <GL/glu.h>
#  include "woxa/platform/headless/win32_api.h"
#endif
