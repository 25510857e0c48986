// demo_window: the bare main window with a spinning, vertex-coloured square;
// key and mouse presses are echoed on standard output.
// Use: press keys and click or turn the wheel in the window; Escape or Alt+F4 quits.
#include <iostream>

#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/input/key_map.h"
#include "woxa/input/mouse_buttons.h"
#include "woxa/platform/win32.h"

namespace {

// The echo texts, in code page 932 as the program stores them.
const char kKeyPressed[] = "\x83\x4C\x81\x5B\x82\xAA\x89\x9F\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x81\x42";
const char kButtonPressed[] = "\x83\x7B\x83\x5E\x83\x93\x82\xAA\x89\x9F\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x20\x28";

float g_tilt = 0.0f;  // degrees about the x axis
float g_spin = 0.0f;  // degrees about the z axis

class BasicDemoWindow : public woxa::MainWindow {
 public:
  void OnWindowResized(std::int32_t width, std::int32_t height) override { woxa::ResizePerspective(width, height); }

  void OnKeyDown(std::int32_t key, std::int32_t, std::int32_t character) override {
    woxa::KeyMap* keys = woxa::KeyMap::Instance();
    if (key == 27) {
      RequestLeave();
      return;
    }
    if (key == 285) {  // F4: quits only with Alt held
      std::uint32_t alt = keys->VirtualKeyOf(299);
      if (alt != 257 && (GetKeyState(static_cast<int>(alt)) & 0x8000)) RequestLeave();
      return;
    }
    std::cout << keys->NameOf(key) << kKeyPressed;
    if (character != 0) std::cout << " '" << static_cast<char>(character) << "'";
    std::cout << std::endl;
  }

  void OnMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x,
                   std::int32_t ref_y) override {
    std::cout << woxa::MouseButtons::Instance()->NameOf(button) << kButtonPressed << ref_x << "," << ref_y
              << ") -> (" << x << "," << y << ")" << std::endl;
  }

  void OnDraw() override {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (g_tilt > 360.0f) g_tilt -= 360.0f;
    g_tilt += 0.5f;
    if (g_spin > 360.0f) g_spin -= 360.0f;
    g_spin += 1.0f;
    glTranslatef(0.0f, 0.0f, -5.0f);
    glRotatef(g_tilt, 1.0f, 0.0f, 0.0f);
    glRotatef(g_spin, 0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glEnd();
    SwapFrame();
  }
};

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  {
    BasicDemoWindow window;
    window.Create();
    window.Run();
  }
  woxa::LibraryShutdown();
  return 0;
}
