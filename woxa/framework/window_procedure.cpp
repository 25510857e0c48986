// The window procedure of the toolkit's window class: window messages
// become the toolkit's events, routed at the main window's scene.
//
// Button events carry the position of the last mouse move, not the
// coordinates of the button message, and as reference the last move
// position as it was when that button's previous event was handled: a
// release carries the press position. System keys are consumed, so the
// system's Alt handling (window menu, Alt+F4) does not take place, and
// WM_CLOSE never reaches DefWindowProcA, so closing does not destroy the
// window.
#include "woxa/framework/main_window.h"
#include "woxa/input/key_map.h"

namespace woxa {
namespace {

struct Position {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Process-wide, shared by every window of the process.
Position g_last_move;
Position g_left_reference;
Position g_right_reference;
Position g_middle_reference;
Position g_wheel_reference;

void RouteButton(MainWindow& w, bool down, std::int32_t button, Position& reference) {
  const std::int32_t cx = w.state.cursor.x;
  const std::int32_t cy = w.state.cursor.y;
  if (down) {
    w.RouteMouseDown(button, cx, cy, reference.x, reference.y);
  } else {
    w.RouteMouseUp(button, cx, cy, reference.x, reference.y);
  }
  reference = g_last_move;
}

void HandleMouseMove(MainWindow& w, std::int32_t lx, std::int32_t ly) {
  w.state.cursor.x = lx;
  w.state.cursor.y = ly;
  if (w.state.mouse_flags[kMouseResetReference] == 1) {
    g_last_move = Position{lx, ly};
    w.state.mouse_flags[kMouseResetReference] = 0;
    return;
  }
  w.RouteMouseMove(lx, ly, g_last_move.x, g_last_move.y);
  g_last_move = Position{w.state.cursor.x, w.state.cursor.y};
}

void HandleWheel(MainWindow& w, WPARAM wparam) {
  const short delta = static_cast<short>(HIWORD(wparam));
  const std::int32_t cx = w.state.cursor.x;
  const std::int32_t cy = w.state.cursor.y;
  if (delta < 0) w.RouteMouseDown(4, cx, cy, g_wheel_reference.x, g_wheel_reference.y);
  if (delta > 0) w.RouteMouseDown(5, cx, cy, g_wheel_reference.x, g_wheel_reference.y);
  g_wheel_reference = g_last_move;
}

void HandleKeyDown(MainWindow& w, WPARAM wparam, LPARAM lparam) {
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool caps = (GetKeyState(VK_CAPITAL) & 0x0001) != 0;
  const std::int32_t repeat = (static_cast<std::uint32_t>(lparam) >> 30) & 1;
  KeyMap* keys = KeyMap::Instance();
  const std::int32_t key = static_cast<std::int32_t>(keys->KeyOf(static_cast<std::uint32_t>(wparam)));
  const std::int32_t character = static_cast<unsigned char>(keys->CharOf(key, shift, caps));
  w.RouteKeyDown(key, repeat, character);
}

void HandleKeyUp(MainWindow& w, WPARAM wparam) {
  KeyMap* keys = KeyMap::Instance();
  const std::int32_t key = static_cast<std::int32_t>(keys->KeyOf(static_cast<std::uint32_t>(wparam)));
  const std::int32_t character = static_cast<unsigned char>(keys->CharOf(key, false, false));
  w.RouteKeyUp(key, 0, character);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* w = static_cast<MainWindow*>(GetPropA(window, "THIS_OBJECT"));
  if (w == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  const std::int32_t lx = LOWORD(lparam);
  const std::int32_t ly = HIWORD(lparam);
  switch (message) {
    case WM_CREATE:
      break;
    case WM_DESTROY:
      w->OnWindowDestroyed();
      PostQuitMessage(0);
      break;
    case WM_MOVE:
      w->state.x = lx;
      w->state.y = ly;
      w->RouteWindowMoved(lx, ly);
      break;
    case WM_SIZE:
      w->state.width = lx;
      w->state.height = ly;
      w->RouteWindowResized(lx, ly);
      break;
    case WM_CLOSE:
      if (w->OnCloseQuery()) w->RequestLeave();
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      HandleKeyDown(*w, wparam, lparam);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      HandleKeyUp(*w, wparam);
      break;
    case WM_MOUSEMOVE:
      HandleMouseMove(*w, lx, ly);
      break;
    case WM_LBUTTONDOWN: RouteButton(*w, true, 1, g_left_reference); break;
    case WM_LBUTTONUP: RouteButton(*w, false, 1, g_left_reference); break;
    case WM_RBUTTONDOWN: RouteButton(*w, true, 2, g_right_reference); break;
    case WM_RBUTTONUP: RouteButton(*w, false, 2, g_right_reference); break;
    case WM_MBUTTONDOWN: RouteButton(*w, true, 3, g_middle_reference); break;
    case WM_MBUTTONUP: RouteButton(*w, false, 3, g_middle_reference); break;
    case WM_MOUSEWHEEL:
      HandleWheel(*w, wparam);
      break;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
  return 0;
}

}  // namespace woxa
