#include "woxa/input/mouse_buttons.h"

namespace woxa {

MouseButtons::MouseButtons()
    : names_{"UNKNOWN MOUSE BUTTON", "LEFT MOUSE BUTTON", "RIGHT MOUSE BUTTON",
             "MIDDLE MOUSE BUTTON",  "WHEEL DOWN",        "WHEEL UP"} {}

const std::string& MouseButtons::NameOf(std::int32_t code) const {
  return names_[code >= 0 && code < kCodeCount ? code : kUnknown];
}

}  // namespace woxa
