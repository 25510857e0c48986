// The console: its layout, typing and taking lines, messages and their
// colours, the scrolling keys, what its parent still gets while it is open,
// and the swap it makes when the toolkit does not.
#include "woxa/forms/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_scene.h"
#include "woxa/forms/push_button.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/text/font.h"
#include "woxa/timing/profiler.h"
#ifndef _WIN32
#include "woxa/platform/headless/control.h"
#endif

namespace woxa {
namespace {

// Key codes with the characters the keyboard map gives them.
struct Key {
  std::int32_t code;
  std::int32_t character;
};
constexpr Key kA{65, 'a'};
constexpr Key kB{66, 'b'};
constexpr Key kC{67, 'c'};
constexpr Key kBackspace{8, 8};
constexpr Key kTab{9, 9};
constexpr Key kReturn{13, 10};
constexpr Key kEscape{27, 0};
constexpr Key kShift{297, 0};
constexpr Key kHome{274, 0};
constexpr Key kEnd{275, 0};
constexpr Key kPageUp{276, 0};
constexpr Key kPageDown{277, 0};

constexpr Color kGrey{191, 191, 191, 255};
constexpr Color kGreen{63, 191, 63, 255};

std::string Str(const Color& c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

std::string Str(const Rect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
         std::to_string(r.height);
}

std::vector<std::string> Texts(const TextView& view) {
  std::vector<std::string> texts;
  for (const ColoredLine& line : view.lines) texts.push_back(line.text);
  return texts;
}

// A parent that records the input reaching it and counts its frames.
class ParentScene : public woxa_test::TestScene {
 public:
  void OnKeyDown(std::int32_t key, std::int32_t, std::int32_t) override { log.push_back("key " + std::to_string(key)); }
  void OnMouseDown(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    log.push_back("press");
  }
  void OnMouseUp(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    log.push_back("release");
  }
  void OnMouseMove(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { log.push_back("move"); }
  void OnDraw() override { ++draws; }

  std::vector<std::string> log;
  int draws = 0;
};

class DrawCounter : public Form {
 public:
  void Draw() override { ++draws; }
  int draws = 0;
};

// A console opened in an 800 x 600 parent. The views and the pending line
// belong to the whole program, so each test starts by emptying them.
class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(console_, nullptr);
    std::string discard;
    console_->GetLine(discard);
    Console::output_view().Clear();
    Console::output_view().first_visible_line = 0;
    Console::input_view().ClearCaption();
    console_->Layout(800, 600);
    scene_.SwitchToChild(console_);
  }

  void Press(const Key& key) { scene_.RouteKeyDown(key.code, 0, key.character); }
  void Type(const std::string& text) {
    for (char c : text) Press({c >= 'a' && c <= 'z' ? c - 32 : 0, static_cast<unsigned char>(c)});
  }
  bool IsOpen() const { return scene_.active_child() == console_->index_in_parent(); }
  static const std::string& InputText() { return Console::input_view().caption.text; }

  Font font_;
  ParentScene scene_;
  Console* console_ = scene_.CreateConsole();
};

TEST_F(ConsoleTest, CreatedClosedWithItsMasksDefaultsAndTheStyledViews) {
  woxa_test::TestScene parent;
  Console* fresh = parent.CreateConsole();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(parent.active_child(), kNoScene);
  EXPECT_EQ(fresh->index_in_parent(), 0);
  for (std::uint32_t kind = 0; kind < kEventKindCount; ++kind) {
    EXPECT_EQ(fresh->event_mask.Test(kind), kind == 0 || kind == 5 || kind == 6) << "kind " << kind;
    EXPECT_EQ(fresh->pass_through_mask.Test(kind), kind == 0) << "kind " << kind;
  }
  EXPECT_EQ(fresh->close_key, 27);
  EXPECT_EQ(fresh->margin, 2);
  EXPECT_FALSE(fresh->echo.Test(0));

  const TextView& out = Console::output_view();
  EXPECT_TRUE(out.backdrop_shown.Test(0));
  EXPECT_EQ(Str(out.color), "0,0,0,191");
  EXPECT_EQ(Str(out.text_color), Str(kGrey));
  const ButtonView& in = Console::input_view();
  EXPECT_TRUE(in.backdrop_shown.Test(0));
  EXPECT_EQ(Str(in.color), "0,0,0,191");
  EXPECT_EQ(Str(in.caption_color), "255,255,255,255");
  EXPECT_FALSE(in.alignment.Test(kAlignRight) || in.alignment.Test(kAlignCentre));
}

TEST_F(ConsoleTest, EveryConsoleSharesTheViewsAndThePendingLineSetUpOnce) {
  console_->Print("kept");
  Type("x");
  Press(kReturn);
  woxa_test::TestScene other_parent;
  Console* other = other_parent.CreateConsole();
  EXPECT_EQ(Texts(Console::output_view()), std::vector<std::string>{"kept"});
  std::string line;
  EXPECT_TRUE(other->GetLine(line));
  EXPECT_EQ(line, "x");
  EXPECT_FALSE(console_->GetLine(line));
}

struct LayoutCase {
  std::int32_t width, height, margin;
  Rect output, input;
  std::uint32_t columns, rows;
};

TEST_F(ConsoleTest, LayoutFillsWholeRowsOfTheTopThirdWithTheInputFieldAtItsFoot) {
  const LayoutCase cases[] = {
      {800, 600, 2, {0, 0, 800, 186}, {0, 186, 800, 17}, 132, 14},
      {1024, 768, 2, {0, 0, 1024, 238}, {0, 238, 1024, 17}, 170, 18},
      {640, 480, 0, {0, 0, 640, 143}, {0, 143, 640, 13}, 106, 11},
      // Too low for a row: the output's grid still holds one cell.
      {800, 20, 2, {0, 0, 800, -9}, {0, -9, 800, 17}, 132, 1},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    console_->margin = c.margin;
    console_->Layout(c.width, c.height);
    const TextView& out = Console::output_view();
    const ButtonView& in = Console::input_view();
    EXPECT_EQ(Str(out.layout_rect), Str(c.output));
    EXPECT_EQ(Str(in.layout_rect), Str(c.input));
    EXPECT_EQ(out.columns, c.columns);
    EXPECT_EQ(out.rows, c.rows);
    EXPECT_EQ(out.text_x, c.margin);
    EXPECT_EQ(out.text_y, c.margin);
    EXPECT_EQ(in.caption_x, c.margin);
    EXPECT_EQ(in.caption_y, c.input.y + c.margin);  // centred: (height - 13) / 2
  }
  console_->margin = kConsoleMargin;
}

TEST_F(ConsoleTest, AResizeLaysOutForTheWindowsClientSizeAndReflowsTheOutput) {
  console_->Print(std::string(150, 'w'));
  ASSERT_EQ(Texts(Console::output_view()).size(), 2u);  // 132 + 18
  scene_.state.width = 1024;
  scene_.state.height = 768;
  scene_.RouteWindowResized(1, 1);  // the console reads the window state
  EXPECT_EQ(Console::input_view().layout_rect.y, 238);
  EXPECT_EQ(Console::output_view().columns, 170u);
  EXPECT_EQ(Texts(Console::output_view()), std::vector<std::string>{std::string(150, 'w')});
}

struct TypingCase {
  const char* name;
  std::int32_t close_key;
  std::vector<Key> keys;
  std::string input;
  std::string pending;
  bool open;
};

TEST_F(ConsoleTest, KeysTypeEraseEnterAndClose) {
  const Key kHighByte{0, 0xB1};
  const TypingCase cases[] = {
      {"a b Backspace c", 27, {kA, kB, kBackspace, kC}, "ac", "", true},
      {"Backspace on an empty input", 27, {kBackspace, kBackspace, kA}, "a", "", true},
      {"keys without a character", 27, {kShift, kA, kShift}, "a", "", true},
      {"a tab is never typed", 27, {kA, kTab}, "a", "", true},
      {"a byte above 127 is typed as it is", 27, {kHighByte}, "\xB1", "", true},
      {"Return after typing: the line waits", 27, {kA, kB, kReturn}, "ab", "ab", true},
      {"typing is ignored while a line waits", 27, {kA, kReturn, kB, kBackspace, kC}, "a", "a", true},
      {"Return again while a line waits stays open", 27, {kA, kReturn, kReturn}, "a", "a", true},
      {"Return on an empty input closes", 27, {kReturn}, "", "", false},
      {"Backspace to empty, then Return closes", 27, {kA, kBackspace, kReturn}, "", "", false},
      {"the default close key is Escape", 27, {kA, kEscape}, "a", "", false},
      {"close key Tab closes and types nothing", 9, {kA, kTab}, "a", "", false},
      {"Escape is no key for a Tab console", 9, {kEscape, kA}, "a", "", true},
  };
  for (const TypingCase& c : cases) {
    SetUp();
    console_->close_key = c.close_key;
    for (const Key& key : c.keys) Press(key);
    EXPECT_EQ(InputText(), c.input) << c.name;
    EXPECT_EQ(Console::pending_line(), c.pending) << c.name;
    EXPECT_EQ(IsOpen(), c.open) << c.name;
    EXPECT_FALSE(console_->leave_requested()) << c.name;  // the parent has acted on it
  }
}

TEST_F(ConsoleTest, GetLineGivesTheLineOnceClearsTheInputAndLetsTypingGoOn) {
  std::string line = "old";
  EXPECT_FALSE(console_->GetLine(line));
  EXPECT_EQ(line, "old");

  Type("hello");
  Press(kReturn);
  EXPECT_TRUE(console_->GetLine(line));
  EXPECT_EQ(line, "hello");
  EXPECT_EQ(InputText(), "");
  EXPECT_FALSE(console_->GetLine(line));
  EXPECT_EQ(Texts(Console::output_view()), std::vector<std::string>{""});  // no echo

  Type("ab");
  EXPECT_EQ(InputText(), "ab");
}

TEST_F(ConsoleTest, WithEchoTheLineTakenIsPrinted) {
  console_->echo.Set(0);
  for (const char* text : {"one", "100%s"}) {
    Type(text);
    Press(kReturn);
    std::string line;
    EXPECT_TRUE(console_->GetLine(line));
  }
  console_->echo.Reset(0);
  EXPECT_EQ(Texts(Console::output_view()), (std::vector<std::string>{"one\n", "100%s"}));
}

TEST_F(ConsoleTest, EachMessageStartsOnItsOwnLineWithoutALeadingEmptyLine) {
  console_->Print("first");
  EXPECT_EQ(Texts(Console::output_view()), std::vector<std::string>{"first"});
  console_->Print("second");
  console_->Print("");
  console_->Print("%d");
  EXPECT_EQ(Texts(Console::output_view()), (std::vector<std::string>{"first\n", "second\n", "\n", "%d"}));
}

TEST_F(ConsoleTest, PrintingScrollsTheOutputToItsEnd) {
  TextView& out = Console::output_view();
  for (int i = 0; i < 14; ++i) console_->Print("line");
  EXPECT_EQ(out.first_visible_line, 0u);  // 14 lines fill the 14 rows
  console_->Print("line");
  EXPECT_EQ(out.first_visible_line, 1u);
  console_->PrintColored("line", kGreen);
  EXPECT_EQ(out.first_visible_line, 2u);
}

TEST_F(ConsoleTest, PageUpPageDownHomeAndEndMoveTheOutputsTopLine) {
  for (int i = 0; i < 30; ++i) console_->Print("line " + std::to_string(i));
  TextView& out = Console::output_view();
  ASSERT_EQ(out.first_visible_line, 16u);
  struct Step {
    Key key;
    int times;
    std::uint32_t first_visible;
  };
  const Step steps[] = {
      {kPageUp, 1, 15}, {kHome, 1, 0}, {kPageUp, 1, 0},        {kPageDown, 1, 1},
      {kEnd, 1, 16},    {kPageDown, 14, 30},  // down to just past the last line, and no further
      {kPageDown, 1, 30},
  };
  for (const Step& s : steps) {
    for (int i = 0; i < s.times; ++i) Press(s.key);
    EXPECT_EQ(out.first_visible_line, s.first_visible) << "after key " << s.key.code;
  }
  EXPECT_EQ(InputText(), "");
}

// Drawing the output in a window of the console's client size.
class ConsoleDrawTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    ConsoleTest::SetUp();
  }

  // The glyphs drawn on output row `row`, in drawing order.
  std::vector<woxa_test::Quad> GlyphsOnRow(int row) {
    woxa_test::Feedback feedback;
    feedback.Begin();
    Console::output_view().Draw(800, 600);
    std::vector<woxa_test::Quad> quads;
    EXPECT_TRUE(feedback.End());
    EXPECT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), gl_.height(), &quads));
    std::vector<woxa_test::Quad> glyphs;
    for (const woxa_test::Quad& q : quads) {
      if (q.width() < 100 && q.top() == static_cast<float>(2 + 13 * row)) glyphs.push_back(q);
    }
    return glyphs;
  }

  woxa_test::GlWindow gl_{800, 600};
};

Color ColorOf(const woxa_test::Quad& quad) {
  auto byte = [](float f) { return static_cast<unsigned char>(f * 255.0f + 0.5f); };
  const auto& c = quad.corner[0];
  return {byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

TEST_F(ConsoleDrawTest, ColouredMessagesLeaveLaterTextInTheOutputsOwnColour) {
  console_->Print("ab");
  console_->PrintColored("ok", kGreen);
  console_->Print("cd");
  const char* const expected[] = {"191,191,191,255", "63,191,63,255", "191,191,191,255"};
  for (int row = 0; row < 3; ++row) {
    const auto glyphs = GlyphsOnRow(row);
    ASSERT_EQ(glyphs.size(), 2u) << "row " << row;
    for (const auto& g : glyphs) EXPECT_EQ(Str(ColorOf(g)), expected[row]) << "row " << row;
  }
}

TEST_F(ConsoleDrawTest, WhileOpenTheParentGetsNoInputButStillDrawsItselfAndItsForms) {
  scene_.state.frame_flags.Set(kFrameDrawForms);
  PushButton* button = scene_.CreatePushButton();
  button->SetPosition(300, 300);
  button->SetSize(100, 20);
  auto* counter = scene_.AddForm<DrawCounter>();

  scene_.MoveMouse(350, 310);
  scene_.Press(1);
  scene_.Release(1);
  Press(kA);
  scene_.RouteKeyUp(kA.code, 0, kA.character);
  EXPECT_TRUE(scene_.log.empty());
  EXPECT_FALSE(button->was_hovered || button->was_pressed || button->TakeClicked());

  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  scene_.DispatchFrame();
  EXPECT_EQ(scene_.draws, 1);
  EXPECT_EQ(counter->draws, 1);
  // The console's translucent black lies over the top third only.
  EXPECT_EQ(gl_.ReadPixel(400, 100) >> 8, 0x404040u);
  EXPECT_EQ(gl_.ReadPixel(400, 202) >> 8, 0x404040u);
  EXPECT_EQ(gl_.ReadPixel(400, 203) >> 8, 0xFFFFFFu);

  // Closed, the same click reaches the parent and its button.
  Press(kEscape);
  ASSERT_FALSE(IsOpen());
  scene_.MoveMouse(351, 310);
  scene_.Press(1);
  scene_.Release(1);
  EXPECT_EQ(scene_.log, (std::vector<std::string>{"move", "press", "release"}));
  EXPECT_TRUE(button->TakeClicked());
}

// A window whose program never swaps: the console swaps each frame while
// frame flag 0 is off, and leaves the swap to the toolkit once it is on.
class SwapCountingWindow : public MainWindow {
 public:
  void OnCreate() override {
    Profiler::Instance()->Enabled[0] = 1;
    SwitchToChild(CreateConsole());
  }
  void OnDraw() override {
    ++frames;
    if (frames == 4) {
      // Frames 1 to 3 were swapped by the console alone.
      for (std::uint32_t i = 0; i < Profiler::Instance()->SectionCount(); ++i) {
        swapped_in_first_frames |= Profiler::Instance()->Section(i).name == "[WOXA]Swap Buffers";
      }
#ifndef _WIN32
      presented_in_first_frames = headless::CaptureOf(state.window)->frames;
      top = headless::CaptureOf(state.window)->PixelAt(400, 100) >> 8;
      middle = headless::CaptureOf(state.window)->PixelAt(400, 300) >> 8;
#endif
      state.frame_flags.Set(kFrameSwap);
    }
    if (frames == 6) RequestLeave();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  int frames = 0;
  bool swapped_in_first_frames = false;
  unsigned presented_in_first_frames = 0;
  std::uint32_t top = 0;
  std::uint32_t middle = 0;
};

class ConsoleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LibraryStartupAll();
    SetCursorPos(0, 0);
  }
  void TearDown() override {
    Profiler::Instance()->Enabled[0] = 0;
    LibraryShutdown();
  }
};

TEST_F(ConsoleWindowTest, TheConsoleSwapsWhenTheToolkitDoesNot) {
  SwapCountingWindow window;
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.Run());
  EXPECT_EQ(window.frames, 6);
  EXPECT_TRUE(window.swapped_in_first_frames);
#ifndef _WIN32
  EXPECT_EQ(window.presented_in_first_frames, 3u);
  EXPECT_EQ(window.top, 0x404040u);  // the console, over the program's white
  EXPECT_EQ(window.middle, 0xFFFFFFu);
  // Then one swap a frame, the toolkit's.
  EXPECT_EQ(headless::CaptureOf(window.state.window)->frames, 6u);
#endif
}

}  // namespace
}  // namespace woxa
