// Window classes and windows: registration, creation with its messages,
// showing, moving and sizing, properties, and the default window procedure.
//
// Behaviours the toolkit can observe follow Windows: a class name registers
// once per process (names compare without regard to case); CreateWindowExA
// sends WM_NCCREATE and WM_CREATE before it returns; the first ShowWindow of
// a hidden window sends WM_SIZE with the client size and then WM_MOVE with
// the client origin; DefWindowProcA destroys the window on WM_CLOSE and
// turns Alt+F4 into WM_CLOSE.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "woxa/platform/headless/state.h"

namespace woxa {
namespace headless {
namespace {

// Frame sizes of the classic look: a 3-pixel dialog frame (4 with a sizing
// border) and a 19-pixel caption.
constexpr int kCaptionHeight = 19;
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

struct Registry {
  std::vector<WindowClass> classes;
  std::vector<std::unique_ptr<Window>> windows;  // creation order
  Window* focus = nullptr;
  ATOM next_atom = 0xC000;
};

Registry& Reg() {
  static Registry registry;
  return registry;
}

bool SameName(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

WindowClass* FindClass(const char* name) {
  if (name == nullptr) return nullptr;
  for (auto& c : Reg().classes) {
    if (SameName(c.name, name)) return &c;
  }
  return nullptr;
}

int FrameWidth(DWORD style) {
  if (style & WS_THICKFRAME) return 4;
  if (style & WS_DLGFRAME) return 3;
  if (style & WS_BORDER) return 1;
  return 0;
}

int CaptionHeight(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION ? kCaptionHeight : 0; }

LPARAM ClientSizeParam(const Window& w) {
  RECT c = ClientRectOnScreen(w);
  return MAKELPARAM(c.right - c.left, c.bottom - c.top);
}

LPARAM ClientOriginParam(const Window& w) {
  RECT c = ClientRectOnScreen(w);
  return MAKELPARAM(c.left, c.top);
}

}  // namespace

HWND HandleOf(Window* window) { return reinterpret_cast<HWND>(window); }

Window* FindWindow(HWND handle) {
  for (auto& w : Reg().windows) {
    if (HandleOf(w.get()) == handle) return w.get();
  }
  return nullptr;
}

Window* WindowOfDc(HDC dc) {
  for (auto& w : Reg().windows) {
    if (reinterpret_cast<HDC>(&w->dc) == dc) return w.get();
  }
  return nullptr;
}

RECT ClientRectOnScreen(const Window& w) {
  int frame = FrameWidth(w.style);
  RECT c;
  c.left = w.outer.left + frame;
  c.top = w.outer.top + frame + CaptionHeight(w.style);
  c.right = std::max(c.left, w.outer.right - frame);
  c.bottom = std::max(c.top, w.outer.bottom - frame);
  return c;
}

Window* FocusWindow() { return Reg().focus; }

Window* WindowAtScreen(int x, int y) {
  auto& windows = Reg().windows;
  // The focus window is on top; then the others, newest first.
  if (Reg().focus != nullptr && Reg().focus->visible) {
    const RECT& r = Reg().focus->outer;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return Reg().focus;
  }
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    const RECT& r = (*it)->outer;
    if ((*it)->visible && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return it->get();
  }
  return nullptr;
}

}  // namespace headless
}  // namespace woxa

using woxa::headless::FindWindow;
using woxa::headless::Reg;
using woxa::headless::Window;

HMODULE WINAPI GetModuleHandleA(LPCSTR module_name) {
  static int this_module;
  if (module_name != nullptr) return nullptr;  // only the program itself is known
  return reinterpret_cast<HMODULE>(&this_module);
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA) || wc->lpszClassName == nullptr ||
      wc->lpfnWndProc == nullptr)
    return 0;
  if (woxa::headless::FindClass(wc->lpszClassName) != nullptr) return 0;  // already registered
  woxa::headless::WindowClass c{wc->lpszClassName, *wc, Reg().next_atom++};
  c.record.lpszClassName = nullptr;  // the name is kept by value
  Reg().classes.push_back(c);
  return c.atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR class_name, HINSTANCE) {
  auto& classes = Reg().classes;
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    if (woxa::headless::SameName(it->name, class_name)) {
      for (auto& w : Reg().windows) {
        if (woxa::headless::SameName(w->class_name, class_name)) return FALSE;  // still in use
      }
      classes.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                            int width, int height, HWND, HMENU, HINSTANCE instance, LPVOID) {
  woxa::headless::WindowClass* c = woxa::headless::FindClass(class_name);
  if (c == nullptr) return nullptr;
  auto window = std::make_unique<Window>();
  window->class_name = c->name;
  window->procedure = c->record.lpfnWndProc;
  window->instance = instance;
  window->title = window_name != nullptr ? window_name : "";
  window->style = style & ~static_cast<DWORD>(WS_VISIBLE);
  window->ex_style = ex_style;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 640;
  window->outer = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  window->dc.window = window.get();
  Window* w = window.get();
  Reg().windows.push_back(std::move(window));
  HWND handle = woxa::headless::HandleOf(w);
  if (!SendMessageA(handle, WM_NCCREATE, 0, 0) || SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return handle;
}

BOOL WINAPI DestroyWindow(HWND handle) {
  Window* w = FindWindow(handle);
  if (w == nullptr) return FALSE;
  SendMessageA(handle, WM_DESTROY, 0, 0);
  SendMessageA(handle, WM_NCDESTROY, 0, 0);
  woxa::headless::WindowDestroyed(*w);
  woxa::headless::GlWindowDestroyed(*w);
  if (Reg().focus == w) Reg().focus = nullptr;
  auto& windows = Reg().windows;
  windows.erase(std::remove_if(windows.begin(), windows.end(), [w](const auto& p) { return p.get() == w; }),
                windows.end());
  return TRUE;
}

BOOL WINAPI IsWindow(HWND handle) { return FindWindow(handle) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND handle) {
  Window* w = FindWindow(handle);
  return w != nullptr && w->visible;
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  Window* w = FindWindow(handle);
  if (w == nullptr) return FALSE;
  BOOL was_visible = w->visible;
  if (command == SW_HIDE) {
    w->visible = false;
    if (Reg().focus == w) Reg().focus = nullptr;
    return was_visible;
  }
  w->visible = true;
  Reg().focus = w;
  if (!w->shown_once) {
    w->shown_once = true;
    SendMessageA(handle, WM_SIZE, 0, woxa::headless::ClientSizeParam(*w));
    SendMessageA(handle, WM_MOVE, 0, woxa::headless::ClientOriginParam(*w));
  }
  return was_visible;
}

BOOL WINAPI UpdateWindow(HWND handle) { return FindWindow(handle) != nullptr; }

BOOL WINAPI SetWindowPos(HWND handle, HWND, int x, int y, int cx, int cy, UINT flags) {
  Window* w = FindWindow(handle);
  if (w == nullptr) return FALSE;
  RECT old_client = woxa::headless::ClientRectOnScreen(*w);
  RECT r = w->outer;
  if (!(flags & SWP_NOMOVE)) {
    r.right += x - r.left;
    r.bottom += y - r.top;
    r.left = x;
    r.top = y;
  }
  if (!(flags & SWP_NOSIZE)) {
    r.right = r.left + std::max(cx, 0);
    r.bottom = r.top + std::max(cy, 0);
  }
  w->outer = r;
  RECT client = woxa::headless::ClientRectOnScreen(*w);
  bool moved = client.left != old_client.left || client.top != old_client.top;
  bool sized = client.right - client.left != old_client.right - old_client.left ||
               client.bottom - client.top != old_client.bottom - old_client.top;
  if (sized) woxa::headless::ClientSizeChanged(*w);
  // As DefWindowProcA does on WM_WINDOWPOSCHANGED: the move, then the size.
  if (moved) SendMessageA(handle, WM_MOVE, 0, woxa::headless::ClientOriginParam(*w));
  if (sized) SendMessageA(handle, WM_SIZE, 0, woxa::headless::ClientSizeParam(*w));
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
  Window* w = FindWindow(handle);
  if (w == nullptr || rect == nullptr) return FALSE;
  RECT c = woxa::headless::ClientRectOnScreen(*w);
  *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
  Window* w = FindWindow(handle);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = w->outer;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND handle, POINT* point) {
  Window* w = FindWindow(handle);
  if (w == nullptr || point == nullptr) return FALSE;
  RECT c = woxa::headless::ClientRectOnScreen(*w);
  point->x += c.left;
  point->y += c.top;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  if (rect == nullptr) return FALSE;
  int frame = woxa::headless::FrameWidth(style);
  rect->left -= frame;
  rect->right += frame;
  rect->top -= frame + woxa::headless::CaptionHeight(style) + (menu ? 19 : 0);
  rect->bottom += frame;
  return TRUE;
}

int WINAPI GetWindowTextA(HWND handle, LPSTR text, int max_count) {
  Window* w = FindWindow(handle);
  if (w == nullptr || text == nullptr || max_count <= 0) return 0;
  int n = std::min(static_cast<int>(w->title.size()), max_count - 1);
  std::memcpy(text, w->title.data(), static_cast<size_t>(n));
  text[n] = '\0';
  return n;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
  Window* w = FindWindow(handle);
  if (w == nullptr) return FALSE;
  w->title = text != nullptr ? text : "";
  return TRUE;
}

BOOL WINAPI SetPropA(HWND handle, LPCSTR name, HANDLE data) {
  Window* w = FindWindow(handle);
  if (w == nullptr || name == nullptr) return FALSE;
  w->properties[name] = data;
  return TRUE;
}

HANDLE WINAPI GetPropA(HWND handle, LPCSTR name) {
  Window* w = FindWindow(handle);
  if (w == nullptr || name == nullptr) return nullptr;
  auto it = w->properties.find(name);
  return it == w->properties.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropA(HWND handle, LPCSTR name) {
  Window* w = FindWindow(handle);
  if (w == nullptr || name == nullptr) return nullptr;
  auto it = w->properties.find(name);
  if (it == w->properties.end()) return nullptr;
  HANDLE data = it->second;
  w->properties.erase(it);
  return data;
}

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = FindWindow(handle);
  if (w == nullptr) return 0;
  return w->procedure(handle, message, wparam, lparam);
}

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_SYSKEYDOWN:
      if (wparam == VK_F4 && (GetKeyState(VK_MENU) & 0x8000)) SendMessageA(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) SendMessageA(handle, WM_CLOSE, 0, 0);
      return 0;
    default:
      (void)lparam;
      return 0;
  }
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR name) {
  static int arrow;
  return name == IDC_ARROW ? reinterpret_cast<HCURSOR>(&arrow) : nullptr;
}

int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return woxa::headless::kScreenWidth;
    case SM_CYSCREEN:
      return woxa::headless::kScreenHeight;
    default:
      return 0;
  }
}
