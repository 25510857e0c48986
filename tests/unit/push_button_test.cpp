// Push buttons in a scene: the looks, the latched click and its
// cancellations, the inside test, the caption layout and its formatting,
// and what a drawn button leaves on the screen.
#include "woxa/forms/push_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_scene.h"
#include "woxa/framework/library.h"

namespace woxa {
namespace {

constexpr std::int32_t kLeft = 1;
constexpr std::int32_t kRight = 2;
constexpr std::int32_t kWheel = 4;

constexpr Color kGrey{191, 191, 191, 191};
constexpr Color kDark{63, 63, 63, 255};
constexpr Color kBlack{0, 0, 0, 255};
constexpr Color kRed{255, 0, 0, 255};

// Colours compared as text, which also reads well in a failure.
std::string Str(const Color& c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

PushButton* MakeButton(woxa_test::TestScene& scene, const std::string& caption = "Profiler") {
  PushButton* b = scene.CreatePushButton();
  b->SetCaption(caption);
  b->SetPosition(400, 280);
  b->SetSize(100, 20);
  return b;
}

TEST(PushButton, AttachSetsItsMaskColoursAndState) {
  woxa_test::TestScene scene;
  PushButton* b = scene.CreatePushButton();
  ASSERT_NE(b, nullptr);
  for (std::uint32_t kind = 0; kind < kEventKindCount; ++kind) {
    const bool wanted = kind == 1 || kind == 8 || kind == 9 || kind == 10 || kind == 11 || kind == 12;
    EXPECT_EQ(b->event_mask.Test(kind), wanted) << kind;
  }
  EXPECT_EQ(Str(b->caption_color), Str(kBlack));
  EXPECT_EQ(Str(b->hover_caption_color), Str(kRed));
  EXPECT_EQ(Str(b->color), Str(kGrey));
  EXPECT_EQ(Str(b->pressed_color), Str(kDark));
  EXPECT_TRUE(b->backdrop_shown.Test(0));
  EXPECT_FALSE(b->pressed_look() || b->hover_look() || b->was_pressed || b->was_hovered || b->TakeClicked());
  EXPECT_EQ(b->rect.x, 50);
  EXPECT_EQ(b->rect.width, 250);
  EXPECT_EQ(b->scale, 1);
  EXPECT_EQ(b->margin, 0);
}

// A gesture: the mouse moves to a point, then a button goes down or up.
struct Step {
  char what;  // 'm' move, 'd' down, 'u' up
  std::int32_t a;  // move: x; down and up: button code
  std::int32_t b;  // move: y
};
Step M(std::int32_t x, std::int32_t y) { return {'m', x, y}; }
Step D(std::int32_t button) { return {'d', button, 0}; }
Step U(std::int32_t button) { return {'u', button, 0}; }
struct ClickCase {
  const char* name;
  std::vector<Step> steps;
  bool clicked;
};

TEST(PushButton, AClickNeedsALeftPressAndReleaseBothOverTheButton) {
  const ClickCase cases[] = {
      {"press and release inside", {M(450, 290), D(kLeft), U(kLeft)}, true},
      {"moved out before the release", {M(450, 290), D(kLeft), M(10, 10), U(kLeft)}, false},
      {"pressed outside, released inside", {M(10, 10), D(kLeft), M(450, 290), U(kLeft)}, false},
      {"right button", {M(450, 290), D(kRight), U(kRight)}, false},
      {"right release after a left press", {M(450, 290), D(kLeft), U(kRight), U(kLeft)}, false},
      {"wheel step while held", {M(450, 290), D(kLeft), D(kWheel), U(kLeft)}, false},
      {"right press while held", {M(450, 290), D(kLeft), D(kRight), U(kLeft)}, false},
      {"moved out and back while held", {M(450, 290), D(kLeft), M(0, 0), M(401, 281), U(kLeft)},
       true},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.name);
    woxa_test::TestScene scene;
    PushButton* b = MakeButton(scene);
    for (const Step& s : c.steps) {
      if (s.what == 'm') scene.MoveMouse(s.a, s.b);
      if (s.what == 'd') scene.Press(s.a);
      if (s.what == 'u') scene.Release(s.a);
    }
    EXPECT_FALSE(b->pressed_look());
    EXPECT_EQ(Str(b->color), Str(kGrey));
    EXPECT_EQ(b->TakeClicked(), c.clicked);
    EXPECT_FALSE(b->TakeClicked());  // taken once
  }
}

TEST(PushButton, PressedLookDarkensTheBackdropUntilAnyReleaseAndKeepsWasPressed) {
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene);
  b->color = Color{1, 2, 3, 4};
  scene.MoveMouse(450, 290);
  scene.Press(kLeft);
  EXPECT_TRUE(b->pressed_look());
  EXPECT_EQ(Str(b->color), Str(kDark));
  scene.Press(kLeft);  // applying it again must not save the dark colour
  scene.MoveMouse(0, 0);
  scene.Release(kLeft);
  EXPECT_EQ(Str(b->color), Str(Color{1, 2, 3, 4}));
  EXPECT_TRUE(b->was_pressed);
}

TEST(PushButton, HoverTurnsTheCaptionRedAndBack) {
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene);
  scene.MoveMouse(450, 290);
  EXPECT_EQ(Str(b->caption_color), Str(kRed));
  scene.MoveMouse(451, 290);
  scene.MoveMouse(10, 10);
  EXPECT_EQ(Str(b->caption_color), Str(kBlack));
  EXPECT_FALSE(b->hover_look());
  EXPECT_TRUE(b->was_hovered);
}

TEST(PushButton, InsideTestTakesTheLeftAndTopEdgesButNotTheRightAndBottom) {
  struct Case {
    std::int32_t x, y;
    bool inside;
  };
  const Case cases[] = {{400, 280, true},  {499, 299, true},  {500, 280, false}, {400, 300, false},
                        {399, 290, false}, {450, 279, false}, {499, 300, false}, {-400, -280, false}};
  for (const Case& c : cases) {
    woxa_test::TestScene scene;
    PushButton* b = MakeButton(scene);
    scene.MoveMouse(c.x, c.y);
    scene.Press(kLeft);
    scene.Release(kLeft);
    EXPECT_EQ(b->TakeClicked(), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(b->Contains(c.x, c.y), c.inside) << c.x << "," << c.y;
  }
  // A rectangle reaching the top of the 32-bit range keeps its far edge.
  woxa_test::TestScene scene;
  PushButton* edge = scene.CreatePushButton();
  edge->SetPosition(2147483600, 0);
  edge->SetSize(100, 20);
  EXPECT_TRUE(edge->Contains(2147483647, 5));
}

TEST(PushButton, TheButtonJudgesByTheWindowsMousePosition) {
  // The window state holds the position the window procedure wrote last.
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene);
  scene.state.cursor.x = 450;
  scene.state.cursor.y = 290;
  scene.RouteMouseDown(kLeft, 0, 0, 0, 0);
  EXPECT_TRUE(b->pressed_look());
}

class PressCounter : public Form {
 public:
  void OnMouseDown(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { ++presses; }
  int presses = 0;
};

TEST(PushButton, EveryPressReachesEveryFormThatTakesPressesWhereverTheMouseIs) {
  woxa_test::TestScene scene;
  PushButton* a = scene.CreatePushButton();
  a->SetPosition(0, 0);
  a->SetSize(50, 50);
  PushButton* b = scene.CreatePushButton();
  b->SetPosition(5, 5);
  b->SetSize(50, 50);
  PushButton* deaf = scene.CreatePushButton();
  deaf->SetPosition(0, 0);
  deaf->SetSize(60, 60);
  deaf->event_mask.Reset(kEventMouseDown);
  auto* counter = scene.AddForm<PressCounter>();
  counter->SetPosition(700, 500);

  scene.MoveMouse(10, 10);
  scene.Press(kLeft);
  EXPECT_TRUE(a->pressed_look());
  EXPECT_TRUE(b->pressed_look());
  EXPECT_FALSE(deaf->pressed_look());
  // Far from both: the right press still reaches them and cancels their
  // pressed looks.
  scene.MoveMouse(300, 300);
  scene.Press(kRight);
  EXPECT_FALSE(a->pressed_look());
  EXPECT_FALSE(b->pressed_look());
  EXPECT_EQ(counter->presses, 2);
}

TEST(PushButton, OverlappingButtonsBothTakeTheClickAndRestoreTheirOwnColours) {
  woxa_test::TestScene scene;
  PushButton* a = scene.CreatePushButton();
  a->SetPosition(0, 0);
  a->SetSize(100, 20);
  PushButton* b = scene.CreatePushButton();
  b->SetPosition(50, 0);
  b->SetSize(100, 20);
  a->color = Color{10, 20, 30, 40};
  a->pressed_color = Color{1, 1, 1, 255};
  b->caption_color = Color{0, 0, 255, 255};
  scene.MoveMouse(60, 10);
  EXPECT_EQ(Str(a->caption_color), Str(kRed));
  EXPECT_EQ(Str(b->caption_color), Str(kRed));
  scene.Press(kLeft);
  EXPECT_EQ(Str(a->color), Str(Color{1, 1, 1, 255}));
  EXPECT_EQ(Str(b->color), Str(kDark));
  scene.Release(kLeft);
  scene.MoveMouse(300, 300);
  EXPECT_TRUE(a->TakeClicked());
  EXPECT_TRUE(b->TakeClicked());
  EXPECT_EQ(Str(a->color), Str(Color{10, 20, 30, 40}));
  EXPECT_EQ(Str(b->color), Str(kGrey));
  EXPECT_EQ(Str(a->caption_color), Str(kBlack));
  EXPECT_EQ(Str(b->caption_color), Str(Color{0, 0, 255, 255}));
}

TEST(ButtonView, LayoutCaptionPlacesTheCaptionInTheRectangle) {
  struct Case {
    const char* name;
    std::string caption;
    std::int32_t scale, margin;
    bool centre, right;
    std::int32_t x, y;
  };
  const Case cases[] = {
      {"left", "Profiler", 1, 0, false, false, 400, 283},
      {"centre", "Profiler", 1, 0, true, false, 426, 283},
      {"right", "Profiler", 1, 0, false, true, 452, 283},
      {"left with margin", "Profiler", 1, 5, false, false, 405, 283},
      {"right with margin", "Profiler", 1, 5, false, true, 447, 283},
      {"centre ignores the margin", "Profiler", 1, 5, true, false, 426, 283},
      {"centre wins over right", "Profiler", 1, 0, true, true, 426, 283},
      {"scale 2 is taller than the button", "Profiler", 2, 0, false, false, 400, 277},
      {"scale 2 centred", "Profiler", 2, 0, true, false, 402, 277},
      {"wider than the button, still centred", std::string(20, 'w'), 1, 0, true, false, 390, 283},
      {"empty caption centred", "", 1, 0, true, false, 450, 283},
      {"scale 0 lays out as 1", "Profiler", 0, 0, true, false, 426, 283},
      {"negative scale lays out as 1", "Profiler", -3, 0, true, false, 426, 283},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    woxa_test::TestScene scene;
    PushButton* b = MakeButton(scene, c.caption);
    b->scale = c.scale;
    b->margin = c.margin;
    if (c.centre) b->alignment.Set(kAlignCentre);
    if (c.right) b->alignment.Set(kAlignRight);
    b->LayoutCaption();
    EXPECT_EQ(b->caption_x, c.x);
    EXPECT_EQ(b->caption_y, c.y);
  }
}

TEST(ButtonView, MovingOrResizingTheButtonLaysTheCaptionOutAgain) {
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene);
  b->alignment.Set(kAlignCentre);
  b->SetPosition(0, 0);
  EXPECT_EQ(b->caption_x, 26);
  EXPECT_EQ(b->caption_y, 3);
  b->SetSize(200, 40);
  EXPECT_EQ(b->caption_x, 76);
  EXPECT_EQ(b->caption_y, 13);
  b->SetCaption("ab");
  EXPECT_EQ(b->caption_x, 94);
}

TEST(ButtonView, PrintfAppendsFormattedTextAndLaysOut) {
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene, "x");
  b->alignment.Set(kAlignCentre);
  b->Printf("%s=%d%c", "n", 42, '!');
  EXPECT_EQ(b->caption.text, "xn=42!");
  EXPECT_EQ(b->caption_x, 400 + (100 - 36) / 2);
  b->Printf("%c", 0);  // appends up to the terminating zero: nothing
  EXPECT_EQ(b->caption.text, "xn=42!");
  b->ClearCaption();
  EXPECT_TRUE(b->caption.text.empty());
  EXPECT_TRUE(b->caption.runs.empty());
}

TEST(ButtonView, PrintfKeepsTextLongerThanItsBufferWhole) {
  // Around and far beyond the 2048-byte buffer: nothing is cut and nothing
  // written past it (the sanitizer build checks the latter).
  for (std::size_t length : {kCaptionPrintfBufferSize - 1, kCaptionPrintfBufferSize, std::size_t{10000}}) {
    woxa_test::TestScene scene;
    PushButton* b = MakeButton(scene, "<");
    const std::string text(length, 'q');
    b->Printf("%s%d", text.c_str(), 7);
    EXPECT_EQ(b->caption.text, "<" + text + "7") << length;
  }
}

// Drawn buttons: the backdrop quad first, then one glyph cell per
// character at the caption's position.
class PushButtonDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LibraryStartupAll();
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, 800, 600);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
  }
  void TearDown() override { LibraryShutdown(); }

  woxa_test::GlWindow gl{800, 600};
};

TEST_F(PushButtonDrawTest, BackdropThenCaptionGlyphsAtTheLaidOutPosition) {
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene);
  for (bool centre : {false, true}) {
    if (centre) b->alignment.Set(kAlignCentre);
    b->LayoutCaption();
    woxa_test::Feedback feedback;
    feedback.Begin();
    scene.DrawForms();
    ASSERT_TRUE(feedback.End());
    std::vector<woxa_test::Quad> quads;
    ASSERT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), 600, &quads));
    ASSERT_EQ(quads.size(), 9u);  // the backdrop and 8 glyphs
    EXPECT_NEAR(quads[0].left(), 400, 1e-3);
    EXPECT_NEAR(quads[0].top(), 280, 1e-3);
    EXPECT_NEAR(quads[0].width(), 100, 1e-3);
    EXPECT_NEAR(quads[0].height(), 20, 1e-3);
    EXPECT_NEAR(quads[0].corner[0].a, 191 / 255.0f, 1e-3);
    EXPECT_NEAR(quads[1].left(), centre ? 426 : 400, 1e-3);
    EXPECT_NEAR(quads[1].top(), 283, 1e-3);
    EXPECT_NEAR(quads[1].height(), 13, 1e-3);
    EXPECT_NEAR(quads[8].left(), (centre ? 426 : 400) + 7 * 6, 1e-3);
    EXPECT_EQ(quads[1].corner[0].r, 0.0f);  // black caption
  }
}

TEST_F(PushButtonDrawTest, TheButtonBlendsItsTranslucentBackdropAndDarkensWhenPressed) {
  woxa_test::TestScene scene;
  MakeButton(scene, "");
  scene.DrawForms();
  // 191 at three quarters over black.
  const unsigned grey = gl.ReadPixel(450, 290) >> 24;
  EXPECT_NEAR(grey, 143, 2);
  EXPECT_EQ(gl.ReadPixel(450, 300), 0x000000FFu);
  scene.MoveMouse(450, 290);
  scene.Press(kLeft);
  scene.DrawForms();
  EXPECT_EQ(gl.ReadPixel(450, 290), 0x3F3F3FFFu);
}

TEST_F(PushButtonDrawTest, ScaleZeroDrawsLikeOne) {
  woxa_test::TestScene scene;
  PushButton* b = MakeButton(scene, "ab");
  b->scale = 0;
  b->backdrop_shown.Reset(0);
  b->LayoutCaption();
  woxa_test::Feedback feedback;
  feedback.Begin();
  scene.DrawForms();
  ASSERT_TRUE(feedback.End());
  std::vector<woxa_test::Quad> quads;
  ASSERT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), 600, &quads));
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_NEAR(quads[1].left() - quads[0].left(), 6, 1e-3);
  EXPECT_NEAR(quads[0].height(), 13, 1e-3);
}

}  // namespace
}  // namespace woxa
