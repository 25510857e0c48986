// demo_pointer: the mouse cursor switches: pointer hidden or shown, system or custom, arrow or big_cursor.tga.
// Use: click the three buttons and move the mouse over the window; Escape quits.
#include <cstdint>

#include "woxa/forms/push_button.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/image/image_cache.h"
#include "woxa/image/image_handle.h"
#include "woxa/platform/win32.h"

namespace {

bool g_cursor_shows_image = false;

class PointerDemoWindow : public woxa::MainWindow {
 public:
  // The image goes back to the cache before the MainWindow part releases
  // the cursor's own handle; both happen before library shutdown.
  ~PointerDemoWindow() override { cursor_image_.Release(); }

  void OnCreate() override {
    state.frame_flags.Set(woxa::kFrameSwap);
    state.frame_flags.Set(woxa::kFrameDrawForms);
    UseCustomCursor(1);
    // A missing or unreadable file leaves the handle null: the type button
    // then keeps the arrow in "image" mode (SetImage with a null handle
    // changes no texture).
    cursor_image_ = woxa::ImageCache::Instance()->Acquire("big_cursor.tga", woxa::kFormatByExtension);
    mouse_button_ = CreateButton("Toggle mouse visible", 270);
    custom_button_ = CreateButton("Toggle custom mouse cursor", 300);
    type_button_ = CreateButton("Toggle cursor type", 330);
    SetUpGl();
  }

  void OnWindowResized(std::int32_t width, std::int32_t height) override { woxa::ResizePerspective(width, height); }

  void OnDraw() override {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (mouse_button_->TakeClicked()) ShowMouse(2);
    if (custom_button_->TakeClicked()) UseCustomCursor(2);
    if (type_button_->TakeClicked()) {
      if (g_cursor_shows_image) {
        state.cursor.SetDefault();
        g_cursor_shows_image = false;
      } else {
        state.cursor.SetImage(cursor_image_);
        g_cursor_shows_image = true;
      }
    }
  }

 private:
  woxa::PushButton* CreateButton(const char* caption, std::int32_t y) {
    woxa::PushButton* button = CreatePushButton();
    button->SetCaption(caption);
    button->scale = 2;
    button->SetPosition(240, y);
    button->SetSize(320, 30);
    return button;
  }

  static void SetUpGl() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1000.0, 0.0, 1.0, 0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  woxa::ImageHandle cursor_image_;
  woxa::PushButton* mouse_button_ = nullptr;
  woxa::PushButton* custom_button_ = nullptr;
  woxa::PushButton* type_button_ = nullptr;
};

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  {
    PointerDemoWindow window;
    window.Create();
    window.Run();
  }
  woxa::LibraryShutdown();
  return 0;
}
