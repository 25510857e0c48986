// The application base class of every windowed program: one top-level
// Win32 window with one OpenGL 1.1 rendering context, and the scene at the
// root of the event routing.
//
//   class App : public woxa::MainWindow { void OnDraw() override; ... };
//   woxa::LibraryStartupAll();
//   { App app; app.Create(); app.Run(); }
//   woxa::LibraryShutdown();
#pragma once

#include <cstdint>
#include <string>

#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"
#include "woxa/platform/win32.h"

namespace woxa {

// What CreateGLContext asks ChoosePixelFormat for, copied one to one into
// the PIXELFORMATDESCRIPTOR fields of the same names.
struct PixelFormatRequest {
  std::uint32_t flags = 0;
  std::uint8_t pixel_type = 0;
  std::uint8_t color_bits = 0;
  std::uint8_t red_bits = 0, red_shift = 0, green_bits = 0, green_shift = 0;
  std::uint8_t blue_bits = 0, blue_shift = 0, alpha_bits = 0, alpha_shift = 0;
  std::uint8_t accum_bits = 0, accum_red_bits = 0, accum_green_bits = 0, accum_blue_bits = 0, accum_alpha_bits = 0;
  std::uint8_t depth_bits = 0;
  std::uint8_t stencil_bits = 0;
  std::uint8_t layer_type = 0;
  std::uint8_t reserved = 0;
};

class MainWindow : public Scene {
 public:
  MainWindow();
  ~MainWindow() override;

  // Slots added to those of Scene.
  virtual void OnBeforeCreate() {}
  virtual bool OnCloseQuery() { return true; }
  virtual void OnWindowDestroyed() {}

  // Sets every setting to its default; releases nothing.
  void Reset();
  // Registers the window class and creates the hidden window. False when
  // the class cannot be registered (a second window in the process) or the
  // window cannot be created.
  bool Create();
  // Makes the GL context, shows the window and runs the message loop until
  // the window's scene leaves. False when there is no window or no context.
  bool Run();
  // Draws the custom cursor when it is on and swaps the buffers.
  void SwapFrame();

  bool CreateGLContext();
  void ReleaseGLContext();

  // Mouse switches: 0 off, 1 on, 2 toggle; other modes do nothing.
  void ShowMouse(std::int32_t mode);
  void UseCustomCursor(std::int32_t mode);

  WNDCLASSEXA window_class{};
  HGLRC gl_context = nullptr;
  std::string class_name;
  WindowState state;
  PixelFormatRequest pixel_format;
};

// The standard window-resized handler of 3D programs: viewport over the
// whole client area, 45-degree perspective from 1 to 1000.
void ResizePerspective(std::int32_t width, std::int32_t height);

// The window procedure of the toolkit's window class.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace woxa
