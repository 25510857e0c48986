// demo_mesh: an MQO model (modeldata/demo_mesh01.mqo) in a fixed perspective view, behind a translucent text box.
// Use: run it from the folder holding modeldata/ and look; the view never moves; Escape or Alt+F4 quits.
#include <cstdint>

#include "woxa/forms/text_box.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/input/key_map.h"
#include "woxa/model/model_cache.h"
#include "woxa/model/mqo_model.h"
#include "woxa/platform/win32.h"

namespace {

constexpr char kModelFile[] = "modeldata/demo_mesh01.mqo";
constexpr std::int32_t kKeyEscape = 27;
constexpr std::int32_t kKeyF4 = 285;
constexpr std::int32_t kKeyAlt = 299;

class MeshDemoWindow : public woxa::MainWindow {
 public:
  void OnCreate() override {
    text_box_ = CreateTextBox();
    text_box_->backdrop_shown.Set(0);
    text_box_->color = woxa::Color{63, 63, 63, 127};
    text_box_->SetPosition(400, 300);
    text_box_->SetSize(300, 200);
    text_box_->Printf("test_mqo");

    // A missing or unreadable file leaves the model null: the frames then
    // show the text box alone.
    model_ = woxa::ModelCache::Instance()->Load(kModelFile, woxa::kModelTypeMqo);

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    // The reader reverses the file's winding, so the model's outer sides
    // face the viewer and survive this culling.
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1000.0, 0.0, 1.0, 0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapFrame();
  }

  void OnWindowResized(std::int32_t width, std::int32_t height) override { woxa::ResizePerspective(width, height); }

  // Replaces the default, which knows only Escape: the window procedure
  // keeps Alt+F4 from becoming a close request, so it is handled here.
  void OnKeyDown(std::int32_t key, std::int32_t, std::int32_t) override {
    if (key == kKeyEscape) {
      RequestLeave();
    } else if (key == kKeyF4) {
      const std::uint32_t alt = woxa::KeyMap::Instance()->VirtualKeyOf(kKeyAlt);
      if (alt != woxa::KeyMap::kNoVirtualKey && GetKeyState(static_cast<int>(alt)) < 0) RequestLeave();
    }
  }

  // Both frame flags stay off: this handler draws the forms and swaps.
  void OnDraw() override {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (model_ != nullptr) model_->Draw();
    DrawForms();
    SwapFrame();
  }

 private:
  woxa::TextBox* text_box_ = nullptr;
  woxa::MqoModel* model_ = nullptr;  // owned by the model cache
};

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  {
    MeshDemoWindow window;
    window.Create();
    window.Run();
  }
  woxa::LibraryShutdown();
  return 0;
}
