// Everything forms, child scenes and the cursor read about the main window:
// its handles, caption, style, position, client size, cursor and switches.
#pragma once

#include <cstdint>
#include <string>

#include "woxa/cursor/mouse_cursor.h"
#include "woxa/platform/win32.h"
#include "woxa/util/flag_array.h"

namespace woxa {

// Mouse flags.
enum MouseFlag : std::uint32_t {
  kMouseVisible = 0,
  kMouseCustomCursor = 1,
  kMouseResetReference = 2,  // the next mouse move is a new starting point
};
// Frame flags.
enum FrameFlag : std::uint32_t {
  kFrameSwap = 0,       // MainWindow::Run swaps after every frame
  kFrameDrawForms = 1,  // the frame draws the forms after OnDraw
};

struct WindowState {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HDC device_context = nullptr;
  std::string title;
  std::uint32_t style = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;   // client area
  std::int32_t height = 0;  // client area
  std::int32_t bits_per_pixel = 0;
  MouseCursor cursor;
  FlagArray mouse_flags{3};
  FlagArray frame_flags{2};
};

}  // namespace woxa
