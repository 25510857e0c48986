// demo_terminal: the drop-down console over a tiled background; each line entered is echoed there, acknowledged in green and logged in a text box.
// Use: Tab or the "open console" button opens the console; type a line and press Return; Tab, or Return on an empty line, closes it; Escape (console closed) or Alt+F4 quits.
#include <cstdint>
#include <string>

#include "woxa/forms/background_image_form.h"
#include "woxa/forms/console.h"
#include "woxa/forms/push_button.h"
#include "woxa/forms/text_box.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/input/key_map.h"
#include "woxa/platform/win32.h"

namespace {

constexpr std::int32_t kKeyTab = 9;
constexpr std::int32_t kKeyEscape = 27;
constexpr std::int32_t kKeyF4 = 285;
constexpr std::int32_t kKeyAlt = 299;
constexpr std::uint32_t kNoVirtualKey = 257;

class TerminalDemoWindow : public woxa::MainWindow {
 public:
  void OnCreate() override {
    state.frame_flags.Set(woxa::kFrameSwap);
    state.frame_flags.Set(woxa::kFrameDrawForms);
    UseCustomCursor(1);

    console_ = CreateConsole();
    console_->close_key = kKeyTab;
    console_->echo.Set(0);

    background_ = CreateBackgroundImageForm();
    background_->LoadImage("back.TGA");
    background_->left_s = 0.0f;
    background_->right_s = 10.0f;
    background_->top_t = 0.0f;
    background_->bottom_t = 10.0f;

    text_box_ = CreateTextBox();
    text_box_->backdrop_shown.Set(0);
    text_box_->color = woxa::Color{191, 191, 191, 191};
    text_box_->SetPosition(200, 300);
    text_box_->SetSize(400, 250);
    text_box_->Printf("Push TAB key , then open/close console.\n");

    button_ = CreatePushButton();
    button_->SetPosition(200, 280);
    button_->SetSize(100, 20);
    button_->SetCaption("open console");

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1000.0, 0.0, 1.0, 0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapFrame();
  }

  void OnWindowResized(std::int32_t width, std::int32_t height) override { woxa::ResizePerspective(width, height); }

  // While the console is open it takes the keys and this handler is not
  // called: Tab then closes the console, and Escape does nothing.
  void OnKeyDown(std::int32_t key, std::int32_t, std::int32_t) override {
    if (key == kKeyTab) {
      SwitchToChild(console_);
    } else if (key == kKeyEscape) {
      RequestLeave();
    } else if (key == kKeyF4 && AltHeld()) {
      RequestLeave();
    }
  }

  void OnDraw() override {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (button_->TakeClicked()) {
      text_box_->Printf("push button 1 is pushed.\n");
      SwitchToChild(console_);
    }
    if (console_->index_in_parent() == active_child() && console_->GetLine(line_)) {
      console_->PrintColored("inputted from \"demo_terminal\"", woxa::Color{63, 191, 63, 255});
      text_box_->Printf("[%s]\n", line_.c_str());
      const std::size_t lines = text_box_->lines.size();
      text_box_->first_visible_line =
          lines > text_box_->rows ? static_cast<std::uint32_t>(lines - text_box_->rows) : 0;
    }
  }

 private:
  static bool AltHeld() {
    const std::uint32_t alt = woxa::KeyMap::Instance()->VirtualKeyOf(kKeyAlt);
    return alt != kNoVirtualKey && (GetKeyState(static_cast<int>(alt)) & 0x8000) != 0;
  }

  woxa::Console* console_ = nullptr;
  woxa::BackgroundImageForm* background_ = nullptr;
  woxa::PushButton* button_ = nullptr;
  woxa::TextBox* text_box_ = nullptr;
  std::string line_;  // keeps its storage from frame to frame
};

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  {
    TerminalDemoWindow window;
    window.Create();
    window.Run();
  }
  woxa::LibraryShutdown();
  return 0;
}
