#include "woxa/framework/main_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "woxa/framework/library.h"
#include "woxa/timing/profiler.h"
#include "woxa/platform/win32.h"
#ifndef _WIN32
#include "woxa/platform/headless/control.h"
#endif

namespace woxa {
namespace {

// A window that logs what reaches it and runs a script, one step per frame;
// it asks to leave when the script is done.
class ScriptedWindow : public MainWindow {
 public:
  std::vector<std::string> log;
  std::vector<std::function<void(ScriptedWindow&)>> script;
  int frames = 0;
  bool close_allowed = true;
  bool destroyed_called = false;

  void Log(const std::string& s) { log.push_back(s); }
  void OnCreate() override { Log("OnCreate"); }
  void OnDestroy() override { Log("OnDestroy"); }
  void OnEnter(std::int32_t p) override { Log("OnEnter(" + std::to_string(p) + ")"); }
  void OnLeave(std::int32_t n) override { Log("OnLeave(" + std::to_string(n) + ")"); }
  void OnWindowMoved(std::int32_t x, std::int32_t y) override {
    Log("OnWindowMoved(" + std::to_string(x) + "," + std::to_string(y) + ")");
  }
  void OnWindowResized(std::int32_t w, std::int32_t h) override {
    Log("OnWindowResized(" + std::to_string(w) + "," + std::to_string(h) + ")");
  }
  void OnKeyDown(std::int32_t k, std::int32_t r, std::int32_t c) override {
    Log("OnKeyDown(" + std::to_string(k) + "," + std::to_string(r) + "," + std::to_string(c) + ")");
  }
  void OnKeyUp(std::int32_t k, std::int32_t r, std::int32_t c) override {
    Log("OnKeyUp(" + std::to_string(k) + "," + std::to_string(r) + "," + std::to_string(c) + ")");
  }
  void OnMouseDown(std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) override {
    Log("OnMouseDown(" + Join({b, x, y, rx, ry}) + ")");
  }
  void OnMouseUp(std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) override {
    Log("OnMouseUp(" + Join({b, x, y, rx, ry}) + ")");
  }
  void OnMouseMove(std::int32_t x, std::int32_t y, std::int32_t px, std::int32_t py) override {
    Log("OnMouseMove(" + Join({x, y, px, py}) + ")");
  }
  void OnDraw() override {
    if (frames < static_cast<int>(script.size())) script[static_cast<size_t>(frames)](*this);
    if (frames == static_cast<int>(script.size())) RequestLeave();
    ++frames;
  }
  bool OnCloseQuery() override {
    Log("OnCloseQuery");
    return close_allowed;
  }
  void OnWindowDestroyed() override { destroyed_called = true; }

  // The log entries of one handler, in order.
  std::vector<std::string> Only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& s : log) {
      if (s.rfind(prefix, 0) == 0) out.push_back(s);
    }
    return out;
  }

  void Post(UINT message, WPARAM wparam, LPARAM lparam) { PostMessageA(state.window, message, wparam, lparam); }

 private:
  static std::string Join(std::initializer_list<std::int32_t> v) {
    std::string s;
    for (auto x : v) s += (s.empty() ? "" : ",") + std::to_string(x);
    return s;
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LibraryStartupAll();
    // Keep the real pointer (under Wine, the X server's) off the window, so
    // that no stray mouse move joins the events a test makes.
    SetCursorPos(0, 0);
  }
  void TearDown() override { LibraryShutdown(); }
};

TEST_F(MainWindowTest, DefaultWindowHasAnExact800By600ClientAreaAndItsCaption) {
  MainWindow window;
  ASSERT_TRUE(window.Create());
  RECT client;
  ASSERT_TRUE(GetClientRect(window.state.window, &client));
  EXPECT_EQ(client.right - client.left, 800);
  EXPECT_EQ(client.bottom - client.top, 600);
  RECT outer;
  GetWindowRect(window.state.window, &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 100);
  char caption[64] = {};
  GetWindowTextA(window.state.window, caption, sizeof caption);
  EXPECT_STREQ(caption, "WOXAMainWindow");
  EXPECT_EQ(GetPropA(window.state.window, "THIS_OBJECT"), static_cast<HANDLE>(&window));
  EXPECT_FALSE(IsWindowVisible(window.state.window));  // shown by Run

  MainWindow second;
  EXPECT_FALSE(second.Create());  // the class is registered already
  EXPECT_FALSE(second.Run());     // no window: nothing happens
}

TEST_F(MainWindowTest, ConfiguredSizeIsTheClientSize) {
  MainWindow window;
  window.state.width = 320;
  window.state.height = 200;
  ASSERT_TRUE(window.Create());
  RECT client;
  GetClientRect(window.state.window, &client);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);
}

TEST_F(MainWindowTest, RunTellsResizeBeforeCreateAndEnterLeaveAroundTheLoop) {
  ScriptedWindow window;
  window.script = {[](ScriptedWindow&) {}};
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  std::vector<std::string> lifecycle;
  for (const auto& s : window.log) {
    if (s.rfind("OnWindowMoved", 0) != 0 && s.rfind("OnMouse", 0) != 0) lifecycle.push_back(s);
  }
  EXPECT_EQ(lifecycle, (std::vector<std::string>{"OnWindowResized(800,600)", "OnCreate", "OnEnter(128)",
                                                 "OnLeave(128)", "OnDestroy"}));
  EXPECT_EQ(window.state.width, 800);
  EXPECT_EQ(window.state.height, 600);
}

TEST_F(MainWindowTest, EnterAndLeaveReachTheSceneWhateverItsMask) {
  ScriptedWindow window;
  window.event_mask.Clear();
  window.event_mask.Set(kEventDraw);
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  EXPECT_EQ(window.Only("OnEnter"), std::vector<std::string>{"OnEnter(128)"});
  EXPECT_EQ(window.Only("OnLeave"), std::vector<std::string>{"OnLeave(128)"});
}

TEST_F(MainWindowTest, CloseBoxEndsTheLoopWithoutDestroyingTheWindow) {
  ScriptedWindow window;
  // The script never ends by itself: only WM_CLOSE can end the loop.
  for (int i = 0; i < 100000; ++i) window.script.push_back([](ScriptedWindow& w) {
    if (w.frames == 2) w.Post(WM_CLOSE, 0, 0);
  });
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  EXPECT_EQ(window.Only("OnCloseQuery").size(), 1u);
  EXPECT_LT(window.frames, 1000);
  EXPECT_FALSE(window.destroyed_called);
  EXPECT_TRUE(IsWindow(window.state.window));
}

TEST_F(MainWindowTest, CloseQueryReturningFalseKeepsTheWindowOpen) {
  ScriptedWindow window;
  window.close_allowed = false;
  window.script.resize(20, [](ScriptedWindow&) {});
  window.script[1] = [](ScriptedWindow& w) { w.Post(WM_CLOSE, 0, 0); };
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  EXPECT_EQ(window.Only("OnCloseQuery").size(), 1u);
  EXPECT_EQ(window.frames, 21);  // the script ran to its end
}

TEST_F(MainWindowTest, QueuedMessagesAreAllHandledBeforeTheNextFrame) {
  ScriptedWindow window;
  window.script = {[](ScriptedWindow& w) {
                     for (int i = 1; i <= 3; ++i) w.Post(WM_MOVE, 0, MAKELPARAM(i, i));
                     w.Log("frame");
                   },
                   [](ScriptedWindow& w) { w.Log("frame"); }};
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  std::vector<std::string> tail(window.log.end() - 6, window.log.end() - 2);
  EXPECT_EQ(tail, (std::vector<std::string>{"OnWindowMoved(1,1)", "OnWindowMoved(2,2)", "OnWindowMoved(3,3)",
                                            "frame"}));
}

TEST_F(MainWindowTest, WmQuitEndsTheLoopThroughAnActiveChild) {
  ScriptedWindow window;
  for (int i = 0; i < 100000; ++i) window.script.push_back([](ScriptedWindow& w) {
    if (w.frames == 1) {
      w.SwitchToChild(w.AddChild<Scene>());
      PostQuitMessage(0);
    }
  });
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  EXPECT_LT(window.frames, 1000);
  EXPECT_EQ(window.active_child(), kNoScene);
}

TEST_F(MainWindowTest, WindowProcedureTurnsMouseMessagesIntoEventsWithReferences) {
  ScriptedWindow window;
  window.script = {
      // Under Wine the X pointer may give the new window a move of its own
      // first: take a fresh starting point at (0, 0) and watch from there.
      [](ScriptedWindow&) {},
      [](ScriptedWindow& w) {
        w.state.mouse_flags[kMouseResetReference] = 1;
        w.Post(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
        w.Log("mark");
        w.Post(WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
        w.Post(WM_LBUTTONDOWN, 0, MAKELPARAM(999, 999));  // the message's own position is ignored
        w.Post(WM_MOUSEMOVE, 0, MAKELPARAM(15, 25));
        w.Post(WM_LBUTTONUP, 0, 0);
        w.Post(WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
        w.Post(WM_LBUTTONDOWN, 0, 0);
        w.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
        w.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0);
        w.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        w.Post(WM_RBUTTONDOWN, 0, 0);
      },
      [](ScriptedWindow& w) {
        w.state.mouse_flags[kMouseResetReference] = 1;
        w.Post(WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));  // taken as the new starting point
        w.Post(WM_MOUSEMOVE, 0, MAKELPARAM(101, 102));
      },
  };
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  std::vector<std::string> mouse;
  bool marked = false;
  for (const auto& s : window.log) {
    marked = marked || s == "mark";
    if (marked && s.rfind("OnMouse", 0) == 0) mouse.push_back(s);
  }
  EXPECT_EQ(mouse, (std::vector<std::string>{
                       "OnMouseMove(10,20,0,0)",
                       "OnMouseDown(1,10,20,0,0)",  // the first press carries (0, 0)
                       "OnMouseMove(15,25,10,20)",
                       "OnMouseUp(1,15,25,10,20)",  // the release carries the press position
                       "OnMouseMove(30,40,15,25)",
                       "OnMouseDown(1,30,40,15,25)",
                       "OnMouseDown(4,30,40,0,0)",  // wheel towards the user
                       "OnMouseDown(5,30,40,30,40)",  // the zero delta still moved the reference
                       "OnMouseDown(2,30,40,0,0)",
                       "OnMouseMove(101,102,100,100)",
                   }));
  EXPECT_EQ(window.state.mouse_flags[kMouseResetReference], 0);
}

#ifndef _WIN32
// Keys through real input: SendInput, with GetKeyState following it.
void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(INPUT));
}

TEST_F(MainWindowTest, ShiftAGivesCapitalDownAndSmallUpAndHeldKeysRepeat) {
  ScriptedWindow window;
  window.script = {[](ScriptedWindow&) {
    SendKey(VK_SHIFT, false);
    SendKey('A', false);
    SendKey('A', true);
    SendKey(VK_SHIFT, true);
    SendKey('B', false);
    SendKey('B', false);  // auto-repeat
    SendKey('B', true);
  }};
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  std::vector<std::string> keys;
  for (const auto& s : window.log) {
    if (s.rfind("OnKey", 0) == 0) keys.push_back(s);
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"OnKeyDown(297,0,0)", "OnKeyDown(65,0,65)", "OnKeyUp(65,0,97)",
                                            "OnKeyUp(297,0,0)", "OnKeyDown(66,0,98)", "OnKeyDown(66,1,98)",
                                            "OnKeyUp(66,0,98)"}));
}

TEST_F(MainWindowTest, WithoutTheSwapFlagTheToolkitNeverSwaps) {
  for (int swap = 0; swap <= 1; ++swap) {
    ScriptedWindow window;
    window.state.frame_flags[kFrameSwap] = static_cast<unsigned char>(swap);
    window.script.resize(5, [](ScriptedWindow&) {});
    ASSERT_TRUE(window.Create() || swap == 1);
    if (swap == 1) continue;  // one window class per process; see the next test
    ASSERT_TRUE(window.Run());
    EXPECT_EQ(headless::CaptureOf(window.state.window)->frames, 0u);
  }
}

TEST_F(MainWindowTest, WithTheSwapFlagEveryFrameIsPresented) {
  ScriptedWindow window;
  window.state.frame_flags[kFrameSwap] = 1;
  window.script.resize(5, [](ScriptedWindow&) {});
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  EXPECT_EQ(headless::CaptureOf(window.state.window)->frames, 6u);
}
#endif

std::vector<std::string> SectionNames() {
  std::vector<std::string> names;
  const Profiler* p = Profiler::Instance();
  for (std::uint32_t i = 0; i < p->SectionCount(); ++i) names.push_back(p->Section(i).name);
  return names;
}

TEST_F(MainWindowTest, TheLoopProfilesAndGraphsOnlyWithTheSwitchExactlyOne) {
  ScriptedWindow window;
  window.state.frame_flags[kFrameSwap] = 1;
  window.script.resize(4, [](ScriptedWindow&) {});
  Profiler::Instance()->Enabled[0] = 2;  // on for the profiler, but not "exactly 1" for the loop
  window.script[1] = [](ScriptedWindow&) {
    // With 2 only the loop's unconditional opening section exists.
    EXPECT_EQ(SectionNames(), std::vector<std::string>{"[WOXA]Main Loop"});
    Profiler::Instance()->Enabled[0] = 1;
  };
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  // Switched on inside a frame: that frame's swap is the first section
  // after the opening one.
  EXPECT_EQ(SectionNames(), (std::vector<std::string>{"[WOXA]Main Loop", "[WOXA]Swap Buffers", "[WOXA]Idle Event"}));
}

TEST(ResizePerspective, SetsTheViewportAndA45DegreeProjection) {
  MainWindow window;
  window.state.width = 64;
  window.state.height = 48;
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.CreateGLContext());
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  ResizePerspective(800, 600);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLdouble p[16];
  glGetDoublev(GL_PROJECTION_MATRIX, p);
  const double f = 1.0 / std::tan(22.5 * 3.141592653589793 / 180.0);
  EXPECT_NEAR(p[5], f, 1e-6);
  EXPECT_NEAR(p[0], f / (800.0 / 600.0), 1e-6);
  EXPECT_NEAR(p[10], -(1000.0 + 1.0) / (1000.0 - 1.0), 1e-6);
  EXPECT_NEAR(p[14], -2.0 * 1000.0 * 1.0 / (1000.0 - 1.0), 1e-6);
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 1.0);  // the modelview matrix is left alone
  window.ReleaseGLContext();
}

}  // namespace
}  // namespace woxa
