// What the headless platform keeps about windows, device contexts and
// rendering contexts. Internal to woxa/platform/headless/.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "woxa/platform/headless/control.h"
#include "woxa/platform/win32.h"

namespace woxa {
namespace headless {

struct WindowClass {
  std::string name;
  WNDCLASSEXA record;
  ATOM atom;
};

struct Window;

struct DeviceContext {
  Window* window = nullptr;
  int pixel_format = 0;
};

struct Window {
  std::string class_name;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  std::string title;
  DWORD style = 0;
  DWORD ex_style = 0;
  RECT outer{};  // screen coordinates of the whole window
  bool visible = false;
  bool shown_once = false;
  std::map<std::string, HANDLE> properties;
  DeviceContext dc;
  // The colour buffer OSMesa renders into, sized to the client area, and
  // the frame SwapBuffers presented last.
  std::vector<unsigned char> back_buffer;
  Capture capture;
};

HWND HandleOf(Window* window);
Window* FindWindow(HWND window);     // null when the handle is not a window
Window* WindowOfDc(HDC dc);          // null when not a window's DC
RECT ClientRectOnScreen(const Window& window);
Window* FocusWindow();               // the last window shown, or null
Window* WindowAtScreen(int x, int y);  // the topmost visible window there

// Called when a window's client area changes size, so that a rendering
// context bound to it renders into a buffer of the new size.
void ClientSizeChanged(Window& window);
// Plays the next commands of the input script named by the environment, if
// any; called by PeekMessageA when it finds nothing to return.
void PlayInputScript();

// Called before a window is forgotten: its queued messages go, and a
// rendering context current on it is unbound.
void WindowDestroyed(Window& window);
void GlWindowDestroyed(Window& window);

}  // namespace headless
}  // namespace woxa
