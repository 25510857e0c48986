// demo_widgets: every kind of form at once: tiled background, picture, magenta panel, text box, three buttons.
// Use: click "Profiler" (graph), "scale x2" / "scale x1" (text size); each press is logged; Escape or Alt+F4 quits.
#include <cstdint>

#include "woxa/forms/background_image_form.h"
#include "woxa/forms/image_form.h"
#include "woxa/forms/push_button.h"
#include "woxa/forms/text_box.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/input/key_map.h"
#include "woxa/platform/win32.h"
#include "woxa/timing/profiler.h"

namespace {

constexpr std::int32_t kKeyEscape = 27;
constexpr std::int32_t kKeyF4 = 285;
constexpr std::int32_t kKeyAlt = 299;

class WidgetsDemoWindow : public woxa::MainWindow {
 public:
  void OnCreate() override {
    state.frame_flags.Set(woxa::kFrameSwap);
    state.frame_flags.Set(woxa::kFrameDrawForms);
    woxa::Profiler::Instance()->Enabled.Set(0);
    UseCustomCursor(1);
    SetUpImages();
    SetUpTextBox();
    profiler_button_ = CreateButton("Profiler", 400);
    scale2_button_ = CreateButton("scale x2", 500);
    scale1_button_ = CreateButton("scale x1", 600);
    SetUpGl();
  }

  void OnWindowResized(std::int32_t width, std::int32_t height) override { woxa::ResizePerspective(width, height); }

  // Replaces the default, which knows only Escape: the window procedure
  // keeps Alt+F4 from becoming a close request, so it is handled here.
  void OnKeyDown(std::int32_t key, std::int32_t, std::int32_t) override {
    if (key == kKeyEscape || (key == kKeyF4 && AltHeld())) RequestLeave();
  }

  void OnDraw() override {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (profiler_button_->TakeClicked()) {
      woxa::Profiler::Instance()->Enabled.Flip(0);
      text_box_->Printf("Profiler\n");
    }
    // The message goes in before the scale changes: it is broken for the
    // old width first, then reflowed with everything else.
    if (scale2_button_->TakeClicked()) {
      text_box_->Printf("scale x2\n");
      text_box_->scale = 2;
      text_box_->UpdateGrid();
    }
    if (scale1_button_->TakeClicked()) {
      text_box_->Printf("scale x1\n");
      text_box_->scale = 1;
      text_box_->UpdateGrid();
    }
  }

 private:
  static bool AltHeld() {
    const std::uint32_t alt = woxa::KeyMap::Instance()->VirtualKeyOf(kKeyAlt);
    return alt != woxa::KeyMap::kNoVirtualKey && (GetKeyState(static_cast<int>(alt)) & 0x8000) != 0;
  }

  // A file that cannot be loaded leaves its form a plain white quad.
  void SetUpImages() {
    background_ = CreateBackgroundImageForm();
    background_->LoadImage("background.TGA");
    // Five tiles across, four down, each with the first stored row on top.
    background_->left_s = 0.0f;
    background_->right_s = 5.0f;
    background_->top_t = 0.0f;
    background_->bottom_t = 4.0f;

    picture_ = CreateImageForm();
    picture_->SetPosition(10, 300);
    picture_->SetSize(300, 200);
    picture_->LoadImage("texrect.TGA");

    panel_ = CreateImageForm();
    panel_->SetPosition(300, 10);
    panel_->SetSize(100, 100);
    panel_->color = woxa::Color{255, 0, 255, 127};
  }

  void SetUpTextBox() {
    text_box_ = CreateTextBox();
    text_box_->backdrop_shown.Set(0);
    text_box_->color = woxa::Color{63, 63, 63, 127};
    text_box_->SetPosition(400, 300);
    text_box_->SetSize(300, 200);
    text_box_->Printf("WOXATextBox\n");
  }

  woxa::PushButton* CreateButton(const char* caption, std::int32_t x) {
    woxa::PushButton* button = CreatePushButton();
    button->SetCaption(caption);
    button->SetPosition(x, 280);
    button->SetSize(100, 20);
    return button;
  }

  static void SetUpGl() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1000.0, 0.0, 1.0, 0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  woxa::BackgroundImageForm* background_ = nullptr;
  woxa::ImageForm* picture_ = nullptr;
  woxa::ImageForm* panel_ = nullptr;
  woxa::TextBox* text_box_ = nullptr;
  woxa::PushButton* profiler_button_ = nullptr;
  woxa::PushButton* scale2_button_ = nullptr;
  woxa::PushButton* scale1_button_ = nullptr;
};

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  {
    WidgetsDemoWindow window;
    window.Create();
    window.Run();
  }
  woxa::LibraryShutdown();
  return 0;
}
