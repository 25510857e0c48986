// A form that shows a scrolling log of coloured text in its rectangle: the
// Form part takes the scene's drawing and the size changes, the TextView
// part keeps, lays out and draws the text. Made by Scene::CreateTextBox;
// the scene owns it.
//
//   TextBox* log = scene.CreateTextBox();
//   log->SetColor(255, 255, 0, 255);
//   log->Printf("%d objects\n", count);
//   log->first_visible_line = 3;  // scroll
#pragma once

#include <cstdint>

#include "woxa/forms/form.h"
#include "woxa/forms/text_view.h"

namespace woxa {

class TextBox : public Form, public TextView {
 public:
  TextBox();
  ~TextBox() override = default;

  // Drawn only, with no input events, and laid out for its rectangle.
  void OnAttach() override;
  // Moves the text origin; the grid does not change.
  void OnMoved(std::int32_t x, std::int32_t y) override;
  // Recomputes the grid and reflows the text.
  void OnResized(std::int32_t width, std::int32_t height) override;
  // Draws over the owner window's client area.
  void Draw() override;
};

}  // namespace woxa
