// A clickable form: a grey translucent rectangle with a one-line caption.
// It darkens while the left mouse button is held down on it, turns its
// caption red while the mouse is over it, and latches a click when the left
// button goes down and comes up over it. Programs poll the click once a
// frame with TakeClicked; there are no callbacks.
//
// Every button sees every press (the scene has no hit testing), so each one
// tests the window's current mouse position against its own rectangle, and
// any press that is not a left press inside cancels a click in progress.
#pragma once

#include <cstdint>
#include <string>

#include "woxa/forms/button_view.h"
#include "woxa/forms/form.h"
#include "woxa/util/color.h"

namespace woxa {

class PushButton : public Form, public ButtonView {
 public:
  PushButton();

  void SetCaption(const std::string& text);
  // The clicked flag, cleared by reading it.
  bool TakeClicked();
  // x <= mx < x + width and y <= my < y + height.
  bool Contains(std::int32_t mx, std::int32_t my) const;

  void OnMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t previous_x,
                   std::int32_t previous_y) override;
  void OnMouseUp(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t press_x,
                 std::int32_t press_y) override;
  void OnMouseMove(std::int32_t x, std::int32_t y, std::int32_t previous_x, std::int32_t previous_y) override;
  void OnAttach() override;
  void OnMoved(std::int32_t x, std::int32_t y) override;
  void OnResized(std::int32_t width, std::int32_t height) override;
  void Draw() override;

  bool pressed_look() const { return pressed_look_on_; }
  bool hover_look() const { return hover_look_on_; }

  Color hover_caption_color{255, 0, 0, 255};
  Color pressed_color{63, 63, 63, 255};
  bool was_pressed = false;
  bool was_hovered = false;

 private:
  // The window's current mouse position; the event's own position for a
  // button outside any scene.
  bool MouseInside(std::int32_t event_x, std::int32_t event_y) const;
  void ApplyPressedLook();
  void RemovePressedLook();
  void ApplyHoverLook();
  void RemoveHoverLook();

  Color saved_backdrop_color_{};
  Color saved_caption_color_{};
  bool pressed_look_on_ = false;
  bool hover_look_on_ = false;
  bool clicked_ = false;
};

}  // namespace woxa
