// A drop-down text console over the top third of the window: a scrolling
// output area and, below it, a one-line input field. The user types a line
// and presses Return; the program takes the line with GetLine and may write
// replies with Print and PrintColored.
//
// The console is a child scene, not a form. Made with Scene::CreateConsole
// and opened with Scene::SwitchToChild, it then takes the key presses and the
// resizes; its parent keeps drawing its own frame and forms underneath but
// gets no other events. It closes itself on its close key, or on Return with
// an empty input field.
//
// The output view, the input view and the pending line exist once per
// program, shared by every console; the first console created sets them up.
// Laying out and drawing read the cell size from the Font service, which
// must exist by then.
//
//   Console* console = window.CreateConsole();
//   console->close_key = 9;  // Tab
//   window.SwitchToChild(console);
//   ...
//   std::string line;
//   if (console->GetLine(line)) console->Print("got " + line);
#pragma once

#include <cstdint>
#include <string>

#include "woxa/forms/button_view.h"
#include "woxa/forms/echo_flag.h"
#include "woxa/forms/text_view.h"
#include "woxa/framework/scene.h"
#include "woxa/util/color.h"

namespace woxa {

constexpr std::int32_t kConsoleMargin = 2;

class Console : public EchoFlag, public Scene {
 public:
  Console() = default;

  // Writes text as a message of its own: on a new line unless the output is
  // empty, then scrolls the output to its end.
  void Print(const std::string& text);
  // Print in `color`; text written afterwards is in the output's text colour.
  void PrintColored(const std::string& text, const Color& color);
  // The entered line, once: false while no line is pending. Taking it
  // empties the input field, echoes the line when echo is set, and lets the
  // user type again.
  bool GetLine(std::string& out);

  // Places both views for a client area of width x height: the console is
  // as many whole text rows as fit in a third of the height, plus margins;
  // the input field is its bottom row.
  void Layout(std::int32_t width, std::int32_t height);

  // Passes only the frame's drawing through to the parent and takes only
  // drawing, resizes and key presses; the first console sets up the views.
  void OnCreate() override;
  // Lays out for the window's current client size.
  void OnWindowResized(std::int32_t width, std::int32_t height) override;
  // The close key, Page Up, Page Down, Home and End; any other key types its
  // character. Return on an empty input field closes the console.
  void OnKeyDown(std::int32_t key, std::int32_t repeat, std::int32_t character) override;
  // Draws the output, then the input. When the toolkit does not swap each
  // frame, the console swaps the window's buffers itself.
  void OnDraw() override;

  // The shared state, for reading (and for programs that restyle it).
  static TextView& output_view();
  static ButtonView& input_view();
  static const std::string& pending_line();

  std::int32_t close_key = 27;  // Escape
  std::int32_t margin = kConsoleMargin;

 private:
  void TypeCharacter(signed char character);
};

}  // namespace woxa
