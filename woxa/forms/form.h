// The base of every on-screen form: a rectangle in client pixels, an event
// mask and virtual handlers, all empty here. A scene owns its forms, hands
// them the events their masks take and draws them every frame.
#pragma once

#include <cstdint>

#include "woxa/framework/scene.h"
#include "woxa/util/flag_array.h"

namespace woxa {

struct WindowState;

// A form's rectangle: client pixels, origin top-left, y downward.
struct Rect {
  std::int32_t x;
  std::int32_t y;
  std::int32_t width;
  std::int32_t height;
};

class Form {
 public:
  Form();
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  virtual void OnWindowMoved(std::int32_t, std::int32_t) {}
  virtual void OnWindowResized(std::int32_t, std::int32_t) {}
  virtual void OnKeyDown(std::int32_t, std::int32_t, std::int32_t) {}
  virtual void OnKeyUp(std::int32_t, std::int32_t, std::int32_t) {}
  virtual void OnMouseDown(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
  virtual void OnMouseUp(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
  virtual void OnMouseMove(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
  virtual void OnAttach() {}
  virtual void OnDetach() {}
  virtual void OnMoved(std::int32_t, std::int32_t) {}
  virtual void OnResized(std::int32_t, std::int32_t) {}
  virtual void Draw() {}

  void SetPosition(std::int32_t x, std::int32_t y);
  void SetSize(std::int32_t width, std::int32_t height);

  FlagArray event_mask{kEventKindCount};
  WindowState* owner = nullptr;
  Rect rect{50, 50, 250, 200};
  std::int32_t list_index = kNoScene;
};

}  // namespace woxa
