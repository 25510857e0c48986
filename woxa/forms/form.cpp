#include "woxa/forms/form.h"

namespace woxa {

Form::Form() {
  event_mask.Clear();
  event_mask.SetAll();
}

void Form::SetPosition(std::int32_t x, std::int32_t y) {
  rect.x = x;
  rect.y = y;
  OnMoved(x, y);
}

void Form::SetSize(std::int32_t width, std::int32_t height) {
  rect.width = width;
  rect.height = height;
  OnResized(width, height);
}

}  // namespace woxa
