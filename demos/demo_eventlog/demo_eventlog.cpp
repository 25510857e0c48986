// demo_eventlog: a text box logs mouse presses (yellow) and key presses (cyan) over a spinning magenta cube.
// Use: click and press keys; the wheel scrolls the log (towards you: later lines); Escape or Alt+F4 quits.
#include <cstdint>

#include "woxa/forms/text_box.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/framework/shapes.h"
#include "woxa/input/key_map.h"
#include "woxa/input/mouse_buttons.h"
#include "woxa/platform/win32.h"

namespace {

constexpr std::int32_t kKeyEscape = 27;
constexpr std::int32_t kKeyF4 = 285;
constexpr std::int32_t kKeyAlt = 299;

float g_tilt = 0.0f;  // degrees about the x axis
float g_spin = 0.0f;  // degrees about the z axis

class EventLogDemoWindow : public woxa::MainWindow {
 public:
  void OnCreate() override {
    state.frame_flags.Set(woxa::kFrameSwap);
    state.frame_flags.Set(woxa::kFrameDrawForms);
    UseCustomCursor(1);

    // Left at the form's default position (50, 50): the text starts at
    // (52, 52) in a grid of 41 columns and 2 rows.
    text_box_ = CreateTextBox();
    text_box_->backdrop_shown.Set(0);
    text_box_->color = woxa::Color{127, 127, 127, 127};
    text_box_->SetMargin(2);
    text_box_->SetSize(250, 34);

    // Blending stays off: the text box turns it on for its own drawing.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1000.0, 0.0, 1.0, 0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  void OnWindowResized(std::int32_t width, std::int32_t height) override { woxa::ResizePerspective(width, height); }

  void OnDraw() override {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // The test comes before the step, so each angle climbs just past 360
    // before it wraps; the speed follows the frame rate.
    if (g_tilt > 360.0f) g_tilt -= 360.0f;
    g_tilt += 0.5f;
    if (g_spin > 360.0f) g_spin -= 360.0f;
    g_spin += 1.0f;
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 0.0f, 1.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, -100.0f);
    glRotatef(g_tilt, 1.0f, 0.0f, 0.0f);
    glRotatef(g_spin, 0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 0.0f, 1.0f, 1.0f);
    woxa::Shapes::Instance()->DrawSolidCube(30.0f);
  }

  void OnMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x,
                   std::int32_t ref_y) override {
    if (button == woxa::MouseButtons::kWheelUp) {
      if (text_box_->first_visible_line > 0) --text_box_->first_visible_line;
    } else if (button == woxa::MouseButtons::kWheelDown) {
      // Stops one past the last line: an empty view.
      if (text_box_->first_visible_line < text_box_->lines.size()) ++text_box_->first_visible_line;
    } else {
      text_box_->SetColor(255, 255, 0, 255);
      text_box_->Printf("%s pushed. (%d,%d)->(%d,%d)\n", woxa::MouseButtons::Instance()->NameOf(button).c_str(),
                        static_cast<int>(ref_x), static_cast<int>(ref_y), static_cast<int>(x), static_cast<int>(y));
    }
  }

  void OnKeyDown(std::int32_t key, std::int32_t, std::int32_t character) override {
    if (key == kKeyEscape) {
      RequestLeave();
      return;
    }
    if (key == kKeyF4) {
      if (AltHeld()) RequestLeave();
      return;
    }
    const char* name = woxa::KeyMap::Instance()->NameOf(key).c_str();
    text_box_->SetColor(0, 255, 255, 255);
    const signed char c = static_cast<signed char>(character & 0xFF);
    if (c != 0) {
      text_box_->Printf("%s key pushed. ('%c')\n", name, c);
    } else {
      text_box_->Printf("%s key pushed.\n", name);
    }
  }

 private:
  static bool AltHeld() {
    const std::uint32_t alt = woxa::KeyMap::Instance()->VirtualKeyOf(kKeyAlt);
    return alt != woxa::KeyMap::kNoVirtualKey && (GetKeyState(static_cast<int>(alt)) & 0x8000) != 0;
  }

  woxa::TextBox* text_box_ = nullptr;
};

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  {
    EventLogDemoWindow window;
    window.Create();
    window.Run();
  }
  woxa::LibraryShutdown();
  return 0;
}
