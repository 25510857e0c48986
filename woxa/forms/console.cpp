#include "woxa/forms/console.h"

#include "woxa/framework/main_window.h"
#include "woxa/framework/window_state.h"
#include "woxa/platform/win32.h"
#include "woxa/text/font.h"

namespace woxa {
namespace {

constexpr std::int32_t kKeyHome = 274;
constexpr std::int32_t kKeyEnd = 275;
constexpr std::int32_t kKeyPageUp = 276;
constexpr std::int32_t kKeyPageDown = 277;

constexpr signed char kBackspace = 8;
constexpr signed char kTab = 9;
constexpr signed char kNewline = 10;

constexpr std::int32_t kScale = 1;

// One per program, whichever console uses it.
struct SharedConsole {
  Rect output_rect{0, 0, 0, 0};
  Rect input_rect{0, 0, 0, 0};
  TextView output{output_rect};
  ButtonView input{input_rect};
  std::string pending_line;
  bool set_up = false;
};

SharedConsole& Shared() {
  static SharedConsole shared;
  return shared;
}

void ScrollToEnd(TextView& view) {
  const std::size_t count = view.lines.size();
  view.first_visible_line = count > view.rows ? static_cast<std::uint32_t>(count - view.rows) : 0;
}

bool HoldsText(const TextView& view) { return view.lines.size() > 1 || !view.lines.front().text.empty(); }

// Each message starts on a line of its own.
void StartMessage(TextView& view) {
  if (HoldsText(view)) view.Printf("\n");
}

void SetUpViews(SharedConsole& s, std::int32_t margin) {
  s.output.backdrop_shown.Set(0);
  s.output.color = Color{0, 0, 0, 191};
  s.output.text_color = Color{191, 191, 191, 255};
  s.output.margin = margin;
  s.output.scale = kScale;
  s.input.backdrop_shown.Set(0);
  s.input.color = Color{0, 0, 0, 191};
  s.input.caption_color = Color{255, 255, 255, 255};
  s.input.margin = margin;
  s.input.scale = kScale;
  s.input.alignment.Clear();
  s.input.ClearCaption();
  s.pending_line.clear();
}

}  // namespace

Console* Scene::CreateConsole() { return AddChild<Console>(); }

TextView& Console::output_view() { return Shared().output; }
ButtonView& Console::input_view() { return Shared().input; }
const std::string& Console::pending_line() { return Shared().pending_line; }

void Console::Print(const std::string& text) {
  TextView& out = output_view();
  StartMessage(out);
  out.Printf("%s", text.c_str());
  ScrollToEnd(out);
}

void Console::PrintColored(const std::string& text, const Color& color) {
  TextView& out = output_view();
  StartMessage(out);
  out.SetColor(color);
  out.Printf("%s", text.c_str());
  out.SetColor(out.text_color);
  ScrollToEnd(out);
}

bool Console::GetLine(std::string& out) {
  SharedConsole& s = Shared();
  if (s.pending_line.empty()) return false;
  out = s.pending_line;
  s.pending_line.clear();
  s.input.ClearCaption();
  if (echo.Test(0)) Print(out);
  return true;
}

// Summed in 64 bits: the margin is the program's to set, and four times a
// large one must not overflow.
void Console::Layout(std::int32_t width, std::int32_t height) {
  SharedConsole& s = Shared();
  const Font* font = Font::Instance();
  const std::int64_t cell = font != nullptr ? font->CellHeight() : 13;
  const std::int64_t m = margin;
  const std::int64_t console_height = cell * ((height / 3) / cell) + 4 * m;
  const std::int64_t input_height = cell * kScale + 2 * m;
  const auto output_height = static_cast<std::int32_t>(console_height - input_height);

  s.input_rect = Rect{0, output_height, width, static_cast<std::int32_t>(input_height)};
  s.input.margin = margin;
  s.input.scale = kScale;
  s.input.LayoutCaption();

  s.output_rect = Rect{0, 0, width, output_height};
  s.output.margin = margin;
  s.output.scale = kScale;
  s.output.Relayout();
}

void Console::OnCreate() {
  pass_through_mask.Clear();
  pass_through_mask.Set(kEventDraw);
  event_mask.Clear();
  event_mask.Set(kEventDraw);
  event_mask.Set(kEventWindowResized);
  event_mask.Set(kEventKeyDown);
  SharedConsole& s = Shared();
  if (s.set_up) return;
  SetUpViews(s, margin);
  if (window_state_ != nullptr) Layout(window_state_->width, window_state_->height);
  s.set_up = true;
}

void Console::OnWindowResized(std::int32_t, std::int32_t) {
  if (window_state_ != nullptr) Layout(window_state_->width, window_state_->height);
}

void Console::OnKeyDown(std::int32_t key, std::int32_t, std::int32_t character) {
  TextView& out = output_view();
  const auto c = static_cast<signed char>(character);
  if (key == close_key) {
    RequestLeave();
  } else if (key == kKeyPageDown) {
    if (out.first_visible_line < out.lines.size()) ++out.first_visible_line;
  } else if (key == kKeyPageUp) {
    if (out.first_visible_line > 0) --out.first_visible_line;
  } else if (key == kKeyEnd) {
    ScrollToEnd(out);
  } else if (key == kKeyHome) {
    out.first_visible_line = 0;
  } else {
    TypeCharacter(c);
  }
  if (c == kNewline && pending_line().empty()) RequestLeave();
}

// Typing waits while a line is pending, until the program has taken it.
void Console::TypeCharacter(signed char character) {
  SharedConsole& s = Shared();
  if (!s.pending_line.empty()) return;
  if (character == 0 || character == kTab) return;
  if (character == kBackspace) {
    if (!s.input.caption.text.empty()) s.input.caption.text.pop_back();
    s.input.LayoutCaption();
  } else if (character == kNewline) {
    s.pending_line = s.input.caption.text;
  } else {
    s.input.Printf("%c", character);
  }
}

void Console::OnDraw() {
  if (window_state_ == nullptr) return;
  const auto width = static_cast<std::uint32_t>(window_state_->width);
  const auto height = static_cast<std::uint32_t>(window_state_->height);
  output_view().Draw(width, height);
  input_view().Draw(width, height);
  if (active_child() != kNoScene || window_state_->frame_flags.Test(kFrameSwap)) return;
  // The window procedure finds the main window the same way.
  auto* window = static_cast<MainWindow*>(GetPropA(window_state_->window, "THIS_OBJECT"));
  if (window != nullptr) window->SwapFrame();
}

}  // namespace woxa
