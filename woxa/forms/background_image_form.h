// An image form that fills the whole client area: it takes the window's
// size when attached and follows every later resize. Created first, it lies
// behind every other form of its scene.
#pragma once

#include <cstdint>

#include "woxa/forms/image_form.h"

namespace woxa {

class BackgroundImageForm : public ImageForm {
 public:
  void OnWindowResized(std::int32_t width, std::int32_t height) override;
  void OnAttach() override;
};

}  // namespace woxa
