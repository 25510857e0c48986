// A scene for form tests: a plain Scene whose window state is one the test
// owns, so forms get an owner with a client size and a mouse position
// without a window being created. MoveMouse does what the window procedure
// does on a mouse move: it stores the position, then routes the event.
#pragma once

#include <cstdint>

#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"

namespace woxa_test {

// The state is a base ahead of Scene so that it outlives the forms, which
// ~Scene deletes.
struct WindowStateHolder {
  woxa::WindowState state;
};

class TestScene : public WindowStateHolder, public woxa::Scene {
 public:
  explicit TestScene(std::int32_t width = 800, std::int32_t height = 600) {
    state.width = width;
    state.height = height;
    window_state_ = &state;
  }

  void MoveMouse(std::int32_t x, std::int32_t y) {
    const std::int32_t px = state.cursor.x;
    const std::int32_t py = state.cursor.y;
    state.cursor.x = x;
    state.cursor.y = y;
    RouteMouseMove(x, y, px, py);
  }
  void Press(std::int32_t button) { RouteMouseDown(button, state.cursor.x, state.cursor.y, 0, 0); }
  void Release(std::int32_t button) { RouteMouseUp(button, state.cursor.x, state.cursor.y, 0, 0); }
};

}  // namespace woxa_test
