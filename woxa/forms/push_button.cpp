#include "woxa/forms/push_button.h"

#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"

namespace woxa {

namespace {
constexpr std::int32_t kLeftButton = 1;
}  // namespace

PushButton* Scene::CreatePushButton() { return AddForm<PushButton>(); }

PushButton::PushButton() : Form(), ButtonView(Form::rect) {}

void PushButton::SetCaption(const std::string& text) {
  ClearCaption();
  caption.text = text;
  LayoutCaption();
}

bool PushButton::TakeClicked() {
  const bool was_clicked = clicked_;
  clicked_ = false;
  return was_clicked;
}

// Compared in 64 bits so that a rectangle reaching the end of the 32-bit
// range keeps its far edges.
bool PushButton::Contains(std::int32_t mx, std::int32_t my) const {
  const Rect& r = Form::rect;
  return r.x <= mx && mx < std::int64_t{r.x} + r.width && r.y <= my && my < std::int64_t{r.y} + r.height;
}

bool PushButton::MouseInside(std::int32_t event_x, std::int32_t event_y) const {
  if (owner == nullptr) return Contains(event_x, event_y);
  return Contains(owner->cursor.x, owner->cursor.y);
}

void PushButton::OnMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t) {
  if (button == kLeftButton && MouseInside(x, y)) {
    ApplyPressedLook();
    was_pressed = true;
  } else {
    RemovePressedLook();
  }
}

void PushButton::OnMouseUp(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t) {
  if (button == kLeftButton && MouseInside(x, y) && pressed_look_on_) clicked_ = true;
  RemovePressedLook();
}

void PushButton::OnMouseMove(std::int32_t x, std::int32_t y, std::int32_t, std::int32_t) {
  if (MouseInside(x, y)) {
    was_hovered = true;
    ApplyHoverLook();
  } else {
    RemoveHoverLook();
  }
}

void PushButton::OnAttach() {
  event_mask.Clear();
  event_mask.Set(kEventDrawForms);
  event_mask.Set(11);
  event_mask.Set(12);
  event_mask.Set(kEventMouseDown);
  event_mask.Set(kEventMouseUp);
  event_mask.Set(kEventMouseMove);
  caption_color = Color{0, 0, 0, 255};
  hover_caption_color = Color{255, 0, 0, 255};
  color = Color{191, 191, 191, 191};
  pressed_color = Color{63, 63, 63, 255};
  backdrop_shown.Set(0);
  pressed_look_on_ = false;
  hover_look_on_ = false;
  was_pressed = false;
  was_hovered = false;
  clicked_ = false;
}

// The rectangle already holds the new values.
void PushButton::OnMoved(std::int32_t, std::int32_t) { LayoutCaption(); }
void PushButton::OnResized(std::int32_t, std::int32_t) { LayoutCaption(); }

void PushButton::Draw() {
  ButtonView::Draw(static_cast<std::uint32_t>(owner->width), static_cast<std::uint32_t>(owner->height));
}

void PushButton::ApplyPressedLook() {
  if (pressed_look_on_) return;
  saved_backdrop_color_ = color;
  color = pressed_color;
  pressed_look_on_ = true;
}

void PushButton::RemovePressedLook() {
  if (!pressed_look_on_) return;
  color = saved_backdrop_color_;
  pressed_look_on_ = false;
}

void PushButton::ApplyHoverLook() {
  if (hover_look_on_) return;
  saved_caption_color_ = caption_color;
  caption_color = hover_caption_color;
  hover_look_on_ = true;
}

void PushButton::RemoveHoverLook() {
  if (!hover_look_on_) return;
  caption_color = saved_caption_color_;
  hover_look_on_ = false;
}

}  // namespace woxa
