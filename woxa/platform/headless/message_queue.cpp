// The thread's message queue and the input it receives.
//
// Like Windows, messages come out in this order: posted messages, then the
// quit request of PostQuitMessage, then input from SendInput. Keyboard input
// goes to the focus window (the window shown last); mouse input goes to the
// window under the cursor, in client coordinates, and a mouse move waiting
// in the queue is replaced by a newer one. GetKeyState reports the keys as
// of the input messages already taken from the queue, so a handler sees
// Shift down while it handles the key pressed with it.
#include <algorithm>
#include <cstring>
#include <deque>

#include "woxa/platform/headless/state.h"

namespace woxa {
namespace headless {
namespace {

struct InputEvent {
  MSG msg;
  int key = -1;        // virtual key whose state changes when taken, or -1
  bool key_down = false;
};

struct QueueState {
  std::deque<MSG> posted;
  std::deque<InputEvent> input;
  bool quit = false;
  int quit_code = 0;
  BYTE keys[256] = {};  // bit 7: down; bit 0: toggled
  int cursor_count = 0;
  POINT cursor{0, 0};
  DWORD buttons = 0;  // MK_ bits
};

QueueState& Queue() {
  static QueueState state;
  return state;
}

bool Matches(const MSG& m, HWND window, UINT low, UINT high) {
  if (window != nullptr && m.hwnd != window) return false;
  if (low == 0 && high == 0) return true;
  return m.message >= low && m.message <= high;
}

void ApplyKey(int key, bool down) {
  BYTE& state = Queue().keys[key & 0xFF];
  if (down) {
    if (!(state & 0x80)) state ^= 0x01;
    state |= 0x80;
  } else {
    state &= static_cast<BYTE>(~0x80);
  }
}

void TakeInput(const InputEvent& e) {
  if (e.key < 0) return;
  ApplyKey(e.key, e.key_down);
  // The generic keys follow their left and right variants and the reverse.
  int generic = -1;
  if (e.key == VK_LSHIFT || e.key == VK_RSHIFT) generic = VK_SHIFT;
  if (e.key == VK_LCONTROL || e.key == VK_RCONTROL) generic = VK_CONTROL;
  if (e.key == VK_LMENU || e.key == VK_RMENU) generic = VK_MENU;
  if (generic >= 0) ApplyKey(generic, e.key_down);
  if (e.key == VK_SHIFT) ApplyKey(VK_LSHIFT, e.key_down);
  if (e.key == VK_CONTROL) ApplyKey(VK_LCONTROL, e.key_down);
  if (e.key == VK_MENU) ApplyKey(VK_LMENU, e.key_down);
}

// The state a key will have once every queued input is taken: what SendInput
// uses to decide auto-repeat bits and system keys.
bool PendingDown(int key) {
  bool down = (Queue().keys[key] & 0x80) != 0;
  for (const auto& e : Queue().input) {
    if (e.key == key) down = e.key_down;
    if (key == VK_MENU && (e.key == VK_LMENU || e.key == VK_RMENU)) down = e.key_down;
    if (key == VK_SHIFT && (e.key == VK_LSHIFT || e.key == VK_RSHIFT)) down = e.key_down;
  }
  return down;
}

void QueueKey(const KEYBDINPUT& ki) {
  Window* focus = FocusWindow();
  int vk = ki.wVk & 0xFF;
  bool up = (ki.dwFlags & KEYEVENTF_KEYUP) != 0;
  bool was_down = PendingDown(vk);
  int generic = vk;
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) generic = VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) generic = VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) generic = VK_MENU;
  bool alt = generic == VK_MENU ? !up : PendingDown(VK_MENU);
  bool ctrl = PendingDown(VK_CONTROL);
  // Alt held (without Ctrl) or F10 make system keys.
  bool system = (alt && !ctrl) || generic == VK_F10 || (generic == VK_MENU);
  InputEvent e;
  e.key = vk;
  e.key_down = !up;
  e.msg.hwnd = focus != nullptr ? HandleOf(focus) : nullptr;
  e.msg.message = up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
  e.msg.wParam = static_cast<WPARAM>(generic);
  DWORD lp = 1u | (static_cast<DWORD>(ki.wScan & 0xFF) << 16);
  if (ki.dwFlags & KEYEVENTF_EXTENDEDKEY) lp |= 1u << 24;
  if (alt) lp |= 1u << 29;
  if (up || was_down) lp |= 1u << 30;
  if (up) lp |= 1u << 31;
  e.msg.lParam = static_cast<LPARAM>(lp);
  e.msg.time = timeGetTime();
  e.msg.pt = Queue().cursor;
  Queue().input.push_back(e);
}

void QueueMouseMessage(UINT message, WPARAM wparam, bool to_focus) {
  POINT at = Queue().cursor;
  Window* target = to_focus ? FocusWindow() : WindowAtScreen(at.x, at.y);
  if (target == nullptr) return;
  LPARAM lparam;
  if (to_focus) {
    lparam = MAKELPARAM(at.x, at.y);  // the wheel reports screen coordinates
  } else {
    RECT c = ClientRectOnScreen(*target);
    if (at.x < c.left || at.x >= c.right || at.y < c.top || at.y >= c.bottom) return;  // on the frame
    lparam = MAKELPARAM(at.x - c.left, at.y - c.top);
  }
  InputEvent e;
  e.msg.hwnd = HandleOf(target);
  e.msg.message = message;
  e.msg.wParam = wparam;
  e.msg.lParam = lparam;
  e.msg.time = timeGetTime();
  e.msg.pt = at;
  auto& input = Queue().input;
  if (message == WM_MOUSEMOVE && !input.empty() && input.back().msg.message == WM_MOUSEMOVE &&
      input.back().msg.hwnd == e.msg.hwnd) {
    input.back() = e;
    return;
  }
  input.push_back(e);
}

void QueueMouse(const MOUSEINPUT& mi) {
  auto& q = Queue();
  if (mi.dwFlags & MOUSEEVENTF_MOVE) {
    if (mi.dwFlags & MOUSEEVENTF_ABSOLUTE) {
      q.cursor.x = static_cast<LONG>((static_cast<long long>(mi.dx) * GetSystemMetrics(SM_CXSCREEN)) >> 16);
      q.cursor.y = static_cast<LONG>((static_cast<long long>(mi.dy) * GetSystemMetrics(SM_CYSCREEN)) >> 16);
    } else {
      q.cursor.x += mi.dx;
      q.cursor.y += mi.dy;
    }
    q.cursor.x = std::max<LONG>(0, std::min<LONG>(q.cursor.x, GetSystemMetrics(SM_CXSCREEN) - 1));
    q.cursor.y = std::max<LONG>(0, std::min<LONG>(q.cursor.y, GetSystemMetrics(SM_CYSCREEN) - 1));
    QueueMouseMessage(WM_MOUSEMOVE, q.buttons, false);
  }
  struct Button {
    DWORD flag;
    UINT message;
    DWORD mk;
    bool down;
  };
  static const Button kButtons[] = {
      {MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, MK_LBUTTON, true},
      {MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, MK_LBUTTON, false},
      {MOUSEEVENTF_RIGHTDOWN, WM_RBUTTONDOWN, MK_RBUTTON, true},
      {MOUSEEVENTF_RIGHTUP, WM_RBUTTONUP, MK_RBUTTON, false},
      {MOUSEEVENTF_MIDDLEDOWN, WM_MBUTTONDOWN, MK_MBUTTON, true},
      {MOUSEEVENTF_MIDDLEUP, WM_MBUTTONUP, MK_MBUTTON, false},
  };
  for (const Button& b : kButtons) {
    if (!(mi.dwFlags & b.flag)) continue;
    if (b.down) {
      q.buttons |= b.mk;
    } else {
      q.buttons &= ~b.mk;
    }
    QueueMouseMessage(b.message, q.buttons, false);
  }
  if (mi.dwFlags & MOUSEEVENTF_WHEEL) {
    WPARAM wparam = MAKEWPARAM(q.buttons, static_cast<WORD>(mi.mouseData & 0xFFFF));
    QueueMouseMessage(WM_MOUSEWHEEL, wparam, true);
  }
}

}  // namespace

int CursorDisplayCount() { return Queue().cursor_count; }

void WindowDestroyed(Window& window) {
  HWND handle = HandleOf(&window);
  auto& q = Queue();
  for (auto it = q.posted.begin(); it != q.posted.end();) it = it->hwnd == handle ? q.posted.erase(it) : it + 1;
  for (auto it = q.input.begin(); it != q.input.end();) it = it->msg.hwnd == handle ? q.input.erase(it) : it + 1;
}

}  // namespace headless
}  // namespace woxa

using woxa::headless::Queue;

static BOOL PeekQueued(LPMSG message, HWND window, UINT filter_min, UINT filter_max, UINT remove);

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window != nullptr && woxa::headless::FindWindow(window) == nullptr) return FALSE;
  MSG m{};
  m.hwnd = window;
  m.message = message;
  m.wParam = wparam;
  m.lParam = lparam;
  m.time = timeGetTime();
  m.pt = Queue().cursor;
  Queue().posted.push_back(m);
  return TRUE;
}

void WINAPI PostQuitMessage(int exit_code) {
  Queue().quit = true;
  Queue().quit_code = exit_code;
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT filter_min, UINT filter_max, UINT remove) {
  if (PeekQueued(message, window, filter_min, filter_max, remove)) return TRUE;
  woxa::headless::PlayInputScript();
  return PeekQueued(message, window, filter_min, filter_max, remove);
}

static BOOL PeekQueued(LPMSG message, HWND window, UINT filter_min, UINT filter_max, UINT remove) {
  auto& q = Queue();
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
    if (!woxa::headless::Matches(*it, window, filter_min, filter_max)) continue;
    *message = *it;
    if (remove & PM_REMOVE) q.posted.erase(it);
    return TRUE;
  }
  if (q.quit && (window == nullptr) &&
      ((filter_min == 0 && filter_max == 0) || (WM_QUIT >= filter_min && WM_QUIT <= filter_max))) {
    MSG m{};
    m.message = WM_QUIT;
    m.wParam = static_cast<WPARAM>(q.quit_code);
    *message = m;
    if (remove & PM_REMOVE) q.quit = false;
    return TRUE;
  }
  for (auto it = q.input.begin(); it != q.input.end(); ++it) {
    if (!woxa::headless::Matches(it->msg, window, filter_min, filter_max)) continue;
    *message = it->msg;
    if (remove & PM_REMOVE) {
      woxa::headless::TakeInput(*it);
      q.input.erase(it);
    }
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filter_min, UINT filter_max) {
  // Nothing else can fill the queue while this thread waits, so an empty
  // queue answers like a closed one instead of blocking for ever.
  if (!PeekMessageA(message, window, filter_min, filter_max, PM_REMOVE)) return -1;
  return message->message != WM_QUIT;
}

BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }

LRESULT WINAPI DispatchMessageA(const MSG* message) {
  if (message == nullptr || message->hwnd == nullptr) return 0;
  return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

UINT WINAPI SendInput(UINT count, LPINPUT inputs, int size) {
  if (inputs == nullptr || size != static_cast<int>(sizeof(INPUT))) return 0;
  for (UINT i = 0; i < count; ++i) {
    if (inputs[i].type == INPUT_KEYBOARD) woxa::headless::QueueKey(inputs[i].ki);
    if (inputs[i].type == INPUT_MOUSE) woxa::headless::QueueMouse(inputs[i].mi);
  }
  return count;
}

SHORT WINAPI GetKeyState(int virtual_key) {
  BYTE state = Queue().keys[virtual_key & 0xFF];
  return static_cast<SHORT>(((state & 0x80) ? 0xFF80 : 0) | (state & 0x01));
}

int WINAPI ShowCursor(BOOL show) { return show ? ++Queue().cursor_count : --Queue().cursor_count; }

BOOL WINAPI GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  *point = Queue().cursor;
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  Queue().cursor = POINT{x, y};
  return TRUE;
}
