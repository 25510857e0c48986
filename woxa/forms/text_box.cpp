#include "woxa/forms/text_box.h"

#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"

namespace woxa {

TextBox::TextBox() : TextView(Form::rect) {}

void TextBox::OnAttach() {
  event_mask.Clear();
  event_mask.Set(kEventDrawForms);
  event_mask.Set(11);
  event_mask.Set(12);
  Relayout();
}

void TextBox::OnMoved(std::int32_t, std::int32_t) {
  text_x = Form::rect.x + margin;
  text_y = Form::rect.y + margin;
}

void TextBox::OnResized(std::int32_t, std::int32_t) { UpdateGrid(); }

void TextBox::Draw() {
  TextView::Draw(static_cast<std::uint32_t>(owner->width), static_cast<std::uint32_t>(owner->height));
}

TextBox* Scene::CreateTextBox() { return AddForm<TextBox>(); }

}  // namespace woxa
