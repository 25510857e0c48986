#include "woxa/framework/main_window.h"

#include "woxa/timing/profiler.h"

namespace woxa {
namespace {

const char kThisObject[] = "THIS_OBJECT";

// Handles of the loop's profiler sections.
std::uint32_t g_main_section = 0;
std::uint32_t g_idle_section = 0;
std::uint32_t g_swap_section = 0;

bool ProfilerSwitchOn() { return Profiler::Instance()->Enabled[0] == 1; }

}  // namespace

MainWindow::MainWindow() {
  window_state_ = &state;
  Reset();
}

MainWindow::~MainWindow() {
  MainWindow::OnWindowDestroyed();
  Reset();
}

void MainWindow::Reset() {
  window_class = WNDCLASSEXA{};
  gl_context = nullptr;
  class_name = "WOXAMainWindow";
  state.window = nullptr;
  state.device_context = nullptr;
  state.title = "WOXAMainWindow";
  state.style = WS_CAPTION | WS_SYSMENU;
  state.x = 100;
  state.y = 100;
  state.width = 800;
  state.height = 600;
  state.bits_per_pixel = 32;
  state.mouse_flags.Clear();
  state.mouse_flags[kMouseVisible] = 1;
  state.frame_flags.Clear();
  pixel_format = PixelFormatRequest{};
  pixel_format.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pixel_format.pixel_type = PFD_TYPE_RGBA;
  pixel_format.color_bits = 32;
  pixel_format.depth_bits = 32;
  pixel_format.layer_type = PFD_MAIN_PLANE;
}

bool MainWindow::Create() {
  OnBeforeCreate();
  state.instance = GetModuleHandleA(nullptr);
  window_class.cbSize = sizeof(WNDCLASSEXA);
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  window_class.lpfnWndProc = MainWindowProc;
  window_class.cbClsExtra = 0;
  window_class.cbWndExtra = 0;
  window_class.hInstance = state.instance;
  window_class.hIcon = nullptr;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = nullptr;
  window_class.lpszMenuName = nullptr;
  window_class.lpszClassName = class_name.c_str();
  window_class.hIconSm = nullptr;
  if (RegisterClassExA(&window_class) == 0) return false;

  // The configured size is the client area's; the position is the outer
  // window's corner.
  RECT rect{state.x, state.y, state.x + state.width, state.y + state.height};
  AdjustWindowRect(&rect, state.style, FALSE);
  state.window = CreateWindowExA(0, class_name.c_str(), state.title.c_str(), state.style, state.x, state.y,
                                 rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, state.instance,
                                 nullptr);
  if (state.window == nullptr) return false;
  // Messages sent during CreateWindowExA (WM_CREATE among them) reached
  // DefWindowProcA: the property did not exist yet.
  SetPropA(state.window, kThisObject, this);
  return true;
}

bool MainWindow::CreateGLContext() {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = pixel_format.flags;
  pfd.iPixelType = pixel_format.pixel_type;
  pfd.cColorBits = pixel_format.color_bits;
  pfd.cRedBits = pixel_format.red_bits;
  pfd.cRedShift = pixel_format.red_shift;
  pfd.cGreenBits = pixel_format.green_bits;
  pfd.cGreenShift = pixel_format.green_shift;
  pfd.cBlueBits = pixel_format.blue_bits;
  pfd.cBlueShift = pixel_format.blue_shift;
  pfd.cAlphaBits = pixel_format.alpha_bits;
  pfd.cAlphaShift = pixel_format.alpha_shift;
  pfd.cAccumBits = pixel_format.accum_bits;
  pfd.cAccumRedBits = pixel_format.accum_red_bits;
  pfd.cAccumGreenBits = pixel_format.accum_green_bits;
  pfd.cAccumBlueBits = pixel_format.accum_blue_bits;
  pfd.cAccumAlphaBits = pixel_format.accum_alpha_bits;
  pfd.cDepthBits = pixel_format.depth_bits;
  pfd.cStencilBits = pixel_format.stencil_bits;
  pfd.cAuxBuffers = 0;
  pfd.iLayerType = pixel_format.layer_type;
  pfd.bReserved = pixel_format.reserved;

  state.device_context = GetDC(state.window);
  if (state.device_context == nullptr) return false;
  int format = ChoosePixelFormat(state.device_context, &pfd);
  if (format != 0 && SetPixelFormat(state.device_context, format, &pfd)) {
    gl_context = wglCreateContext(state.device_context);
    if (gl_context != nullptr && wglMakeCurrent(state.device_context, gl_context)) return true;
  }
  ReleaseGLContext();
  return false;
}

void MainWindow::ReleaseGLContext() {
  if (gl_context != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(gl_context);
  }
  if (state.device_context != nullptr) ReleaseDC(state.window, state.device_context);
}

bool MainWindow::Run() {
  if (state.window == nullptr) return false;
  if (!CreateGLContext()) return false;
  ShowWindow(state.window, SW_SHOWNORMAL);
  UpdateWindow(state.window);
  OnCreate();
  state.cursor.CreateDefaultTexture();
  OnEnter(kNoScene);

  Profiler* profiler = Profiler::Instance();
  g_main_section = profiler->Begin("[WOXA]Main Loop");
  MSG message;
  for (;;) {
    if (leave_requested() && active_child() == kNoScene) break;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Passes the request down the active chain, then sets this scene's.
        RequestLeave();
      } else {
        DispatchMessageA(&message);  // no TranslateMessage: characters come from the key map
      }
      continue;
    }
    if (ProfilerSwitchOn()) {
      g_idle_section = profiler->Begin("[WOXA]Idle Event");
      DispatchFrame();
      profiler->End(g_idle_section);
      profiler->End(g_main_section);
      profiler->Update();
      profiler->Draw(5, 5, static_cast<std::uint32_t>(state.width), static_cast<std::uint32_t>(state.height));
      profiler->Reset();
      g_main_section = profiler->Begin("[WOXA]Main Loop");
    } else {
      DispatchFrame();
    }
    if (state.frame_flags[kFrameSwap] == 1) SwapFrame();
  }

  OnLeave(kNoScene);
  state.cursor.Release();
  OnDestroy();
  ReleaseGLContext();
  return true;
}

void MainWindow::SwapFrame() {
  if (state.mouse_flags[kMouseVisible] == 1 && state.mouse_flags[kMouseCustomCursor] == 1) {
    state.cursor.Draw(static_cast<std::uint32_t>(state.width), static_cast<std::uint32_t>(state.height));
  }
  if (ProfilerSwitchOn()) {
    g_swap_section = Profiler::Instance()->Begin("[WOXA]Swap Buffers");
    SwapBuffers(state.device_context);
    Profiler::Instance()->End(g_swap_section);
  } else {
    SwapBuffers(state.device_context);
  }
}

namespace {

// want for modes 0, 1 and 2 against the current flag; -1 for other modes.
int WantedSwitch(std::int32_t mode, unsigned char current) {
  switch (mode) {
    case 0: return 0;
    case 1: return 1;
    case 2: return current != 1 ? 1 : 0;
    default: return -1;
  }
}

}  // namespace

void MainWindow::ShowMouse(std::int32_t mode) {
  int want = WantedSwitch(mode, state.mouse_flags[kMouseVisible]);
  if (want < 0 || want == (state.mouse_flags[kMouseVisible] == 1 ? 1 : 0)) return;
  ShowCursor(want ? TRUE : FALSE);
  state.mouse_flags[kMouseVisible] = static_cast<unsigned char>(want);
}

void MainWindow::UseCustomCursor(std::int32_t mode) {
  int want = WantedSwitch(mode, state.mouse_flags[kMouseCustomCursor]);
  if (want < 0 || want == (state.mouse_flags[kMouseCustomCursor] == 1 ? 1 : 0)) return;
  ShowCursor(want ? FALSE : TRUE);
  state.mouse_flags[kMouseCustomCursor] = static_cast<unsigned char>(want);
}

void ResizePerspective(std::int32_t width, std::int32_t height) {
  const std::uint32_t w = static_cast<std::uint32_t>(width);
  const std::uint32_t h = static_cast<std::uint32_t>(height);
  glViewport(0, 0, static_cast<GLsizei>(w), static_cast<GLsizei>(h));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(w) / static_cast<double>(h), 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace woxa
