// The text box: breaking appended text into lines, the line limit and the
// colour carried past dropped lines, the grid and reflow, and drawing
// (checked through feedback mode: where glyphs land and in which colour).
#include "woxa/forms/text_box.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"
#include "woxa/text/font.h"

namespace woxa {

// Found by argument-dependent lookup, so they live in the types' namespace;
// static keeps them to this file.
static bool operator==(const Color& a, const Color& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}
static bool operator==(const ColorRun& a, const ColorRun& b) { return a.color == b.color && a.start == b.start; }
static void PrintTo(const Color& c, std::ostream* out) {
  *out << "(" << int{c.r} << "," << int{c.g} << "," << int{c.b} << "," << int{c.a} << ")";
}
static void PrintTo(const ColorRun& run, std::ostream* out) {
  PrintTo(run.color, out);
  *out << "@" << run.start;
}

namespace {

constexpr Color kRed{255, 0, 0, 255};
constexpr Color kGreen{0, 255, 0, 255};
constexpr Color kBlue{0, 0, 255, 255};
constexpr Color kCyan{0, 255, 255, 255};
constexpr Color kYellow{255, 255, 0, 255};


// A scene that forms can join without a main window: it lends them a window
// state of its own.
class HostScene : public Scene {
 public:
  explicit HostScene(WindowState* state) { window_state_ = state; }
};

std::vector<std::string> Texts(const TextView& view) {
  std::vector<std::string> texts;
  for (const ColoredLine& line : view.lines) texts.push_back(line.text);
  return texts;
}

std::vector<ColorRun> Runs(const ColoredLine& line) { return {line.runs.begin(), line.runs.end()}; }

std::string Joined(const TextView& view) {
  std::string all;
  for (const ColoredLine& line : view.lines) all += line.text;
  return all;
}

// A text box made by its scene's factory and sized 300 x 200 at (0, 0):
// 50 columns and 15 rows at scale 1.
class TextBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(box_, nullptr);
    box_->SetPosition(0, 0);
    box_->SetSize(300, 200);
  }

  Font font_;
  WindowState state_;
  HostScene scene_{&state_};
  TextBox* box_ = scene_.CreateTextBox();
};

TEST_F(TextBoxTest, AttachingTakesOnlyDrawingAndLaysOutTheGrid) {
  for (std::uint32_t kind = 0; kind < kEventKindCount; ++kind) {
    EXPECT_EQ(box_->event_mask.Test(kind), kind == 1 || kind == 11 || kind == 12) << "kind " << kind;
  }
  EXPECT_EQ(box_->columns, 50u);
  EXPECT_EQ(box_->rows, 15u);
  EXPECT_EQ(box_->max_lines, 128u);
  EXPECT_EQ(Texts(*box_), std::vector<std::string>{""});
}

struct BreakCase {
  const char* name;
  std::vector<std::string> appends;  // one Printf("%s") each
  std::vector<std::string> lines;
};

TEST_F(TextBoxTest, PrintfBreaksAtNewlinesAndAtTheWidth) {
  const std::string x50(50, 'x');
  const BreakCase cases[] = {
      {"two appends make one line", {"abc", "def\n"}, {"abcdef\n", ""}},
      {"a word longer than a line", {std::string(120, 'w')}, {std::string(50, 'w'), std::string(50, 'w'), std::string(20, 'w')}},
      {"a full line waits for more", {x50}, {x50}},
      {"one past the width", {x50 + "y"}, {x50, "y"}},
      {"newline exactly at the width", {x50 + "\n"}, {x50 + "\n", ""}},
      {"newline at the width, later", {x50, "\n"}, {x50 + "\n", ""}},
      {"empty lines", {"a\n\nb"}, {"a\n", "\n", "b"}},
  };
  for (const BreakCase& c : cases) {
    box_->Clear();
    for (const std::string& s : c.appends) box_->Printf("%s", s.c_str());
    EXPECT_EQ(Texts(*box_), c.lines) << c.name;
  }
}

struct GridCase {
  const char* name;
  std::int32_t width, height, margin, scale;
  std::uint32_t columns, rows;
};

TEST_F(TextBoxTest, GridComesFromRectangleMarginAndScaleAndIsNeverEmpty) {
  const GridCase cases[] = {
      {"scale 1", 300, 200, 0, 1, 50, 15},
      {"scale 2", 300, 200, 0, 2, 25, 7},
      {"margin", 300, 200, 10, 1, 46, 13},
      {"scale 0 as 1", 300, 200, 0, 0, 50, 15},
      {"negative scale as 1", 300, 200, 0, -3, 50, 15},
      {"width 0", 0, 200, 0, 1, 1, 15},
      {"narrower than a cell", 5, 12, 0, 1, 1, 1},
      {"negative size", -40, -40, 0, 1, 1, 1},
      {"margin wider than the box", 300, 200, 200, 1, 1, 1},
  };
  for (const GridCase& c : cases) {
    box_->Clear();
    box_->scale = c.scale;
    box_->margin = c.margin;
    box_->SetSize(c.width, c.height);
    EXPECT_EQ(box_->columns, c.columns) << c.name;
    EXPECT_EQ(box_->rows, c.rows) << c.name;
    box_->Printf("abc\n");
    if (c.columns == 1) {
      EXPECT_EQ(Texts(*box_), (std::vector<std::string>{"a", "b", "c\n", ""})) << c.name;
    }
  }
}

TEST_F(TextBoxTest, FormattedTextOfAnyLengthIsKeptWhole) {
  box_->max_lines = 0;
  for (std::size_t length : {2046u, 2047u, 2048u, 2049u, 10000u}) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
    box_->Clear();
    box_->Printf("%s", text.c_str());
    EXPECT_EQ(Joined(*box_), text) << length;
    EXPECT_EQ(box_->lines.size(), (length + 49) / 50) << length;
  }
  box_->Clear();
  box_->Printf("%05000d|%s", 7, "end");
  EXPECT_EQ(Joined(*box_), std::string(4999, '0') + "7|end");
}

TEST_F(TextBoxTest, PrintfAppendsUpToTheFirstZeroByte) {
  box_->Printf("ab%cde", 0);
  EXPECT_EQ(Texts(*box_), std::vector<std::string>{"ab"});
}

struct LimitCase {
  std::uint32_t max_lines;
  std::size_t size;
  const char* first;
};

TEST_F(TextBoxTest, KeepsTheNewestLinesUpToTheMaximum) {
  const LimitCase cases[] = {{128, 128, "line 2\n"}, {0, 130, "line 0\n"}, {1, 1, ""}, {3, 3, "line 127\n"}};
  for (const LimitCase& c : cases) {
    box_->Clear();
    box_->max_lines = c.max_lines;
    for (int i = 0; i < 129; ++i) box_->Printf("line %d\n", i);
    ASSERT_EQ(box_->lines.size(), c.size) << c.max_lines;
    EXPECT_EQ(box_->lines.front().text, c.first) << c.max_lines;
    EXPECT_EQ(box_->lines.back().text, "") << c.max_lines;
  }
  box_->Clear();
  box_->max_lines = 1;
  box_->Printf("ab\ncd");
  EXPECT_EQ(Texts(*box_), std::vector<std::string>{"cd"});
}

TEST_F(TextBoxTest, SetColorTwiceWithoutTextLeavesOneRun) {
  box_->Printf("ab");
  box_->SetColor(255, 0, 0, 255);
  box_->SetColor(kGreen);
  box_->Printf("cd");
  box_->SetColor(kBlue);
  EXPECT_EQ(Runs(box_->lines.back()), (std::vector<ColorRun>{{kGreen, 2}, {kBlue, 4}}));
}

TEST_F(TextBoxTest, AColourSetAtTheEndOfAFullLineMovesToTheNextLine) {
  box_->Printf("%s", std::string(50, 'x').c_str());
  box_->SetColor(kRed);
  box_->Printf("y");
  ASSERT_EQ(box_->lines.size(), 2u);
  EXPECT_TRUE(box_->lines[0].runs.empty());
  EXPECT_EQ(Runs(box_->lines[1]), (std::vector<ColorRun>{{kRed, 0}}));
}

struct DropCase {
  const char* name;
  void (*fill)(TextView&);
  std::vector<ColorRun> next_runs_after;
};

TEST_F(TextBoxTest, DroppingTheOldestLineCarriesTheColourItEndedIn) {
  const DropCase cases[] = {
      {"next line has no runs",
       [](TextView& v) {
         v.SetColor(kRed);
         v.Printf("a");
         v.SetColor(kCyan);
         v.Printf("b\nc\n");
       },
       {{kCyan, 0}}},
      {"next line starts with its own colour",
       [](TextView& v) {
         v.SetColor(kCyan);
         v.Printf("a\n");
         v.SetColor(kYellow);
         v.Printf("b\n");
       },
       {{kYellow, 0}}},
      {"next line changes colour later",
       [](TextView& v) {
         v.SetColor(kCyan);
         v.Printf("a\nc");
         v.SetColor(kYellow);
         v.Printf("d\n");
       },
       {{kCyan, 0}, {kYellow, 1}}},
      {"oldest line has no runs", [](TextView& v) { v.Printf("a\nb\n"); }, {}},
  };
  for (const DropCase& c : cases) {
    box_->Clear();
    c.fill(*box_);
    const std::size_t before = box_->lines.size();
    box_->first_visible_line = 1;
    box_->DropOldestLine();
    EXPECT_EQ(box_->lines.size(), before - 1) << c.name;
    EXPECT_EQ(Runs(box_->lines.front()), c.next_runs_after) << c.name;
    EXPECT_EQ(box_->first_visible_line, 1u) << c.name;
  }
}

TEST_F(TextBoxTest, DroppingTheOnlyLineClearsIt) {
  box_->SetColor(kRed);
  box_->Printf("abc");
  box_->DropOldestLine();
  ASSERT_EQ(box_->lines.size(), 1u);
  EXPECT_EQ(box_->lines[0].text, "");
  EXPECT_TRUE(box_->lines[0].runs.empty());
}

TEST_F(TextBoxTest, ReflowRebreaksForTheNewWidthKeepingNewlinesAndColours) {
  box_->Printf("ab\n");
  box_->Printf("%s", std::string(10, 'x').c_str());
  box_->SetColor(kRed);
  box_->Printf("%s", std::string(50, 'y').c_str());
  box_->SetColor(kGreen);
  box_->Printf("%s", std::string(60, 'z').c_str());
  const std::vector<std::string> at50 = Texts(*box_);
  ASSERT_EQ(at50, (std::vector<std::string>{"ab\n", std::string(10, 'x') + std::string(40, 'y'),
                                            std::string(10, 'y') + std::string(40, 'z'), std::string(20, 'z')}));

  box_->scale = 2;
  box_->UpdateGrid();
  EXPECT_EQ(Texts(*box_), (std::vector<std::string>{"ab\n", std::string(10, 'x') + std::string(15, 'y'),
                                                    std::string(25, 'y'), std::string(10, 'y') + std::string(15, 'z'),
                                                    std::string(25, 'z'), std::string(20, 'z')}));
  EXPECT_EQ(Runs(box_->lines[1]), (std::vector<ColorRun>{{kRed, 10}}));
  EXPECT_TRUE(box_->lines[2].runs.empty());
  EXPECT_EQ(Runs(box_->lines[3]), (std::vector<ColorRun>{{kGreen, 10}}));

  box_->scale = 1;
  box_->UpdateGrid();
  EXPECT_EQ(Texts(*box_), at50);
  EXPECT_EQ(Runs(box_->lines[2]), (std::vector<ColorRun>{{kGreen, 10}}));
}

TEST_F(TextBoxTest, ReflowFrom50To25ColumnsAppliesTheLimitAgain) {
  const std::string q25(25, 'q');
  box_->Printf("%s", std::string(120, 'q').c_str());
  box_->scale = 2;
  box_->UpdateGrid();
  EXPECT_EQ(Texts(*box_), (std::vector<std::string>{q25, q25, q25, q25, std::string(20, 'q')}));
  box_->max_lines = 3;
  box_->UpdateGrid();
  EXPECT_EQ(Texts(*box_), (std::vector<std::string>{q25, q25, std::string(20, 'q')}));
}

TEST_F(TextBoxTest, MovingShiftsTheTextOriginAndResizingReflows) {
  box_->SetMargin(3);
  box_->Printf("%s", std::string(60, 'm').c_str());
  box_->SetPosition(40, 70);
  EXPECT_EQ(box_->text_x, 43);
  EXPECT_EQ(box_->text_y, 73);
  EXPECT_EQ(box_->lines.size(), 2u);
  box_->SetSize(6 * 30 + 6, 200);
  EXPECT_EQ(box_->columns, 30u);
  EXPECT_EQ(Texts(*box_), (std::vector<std::string>{std::string(30, 'm'), std::string(30, 'm')}));
}

TEST_F(TextBoxTest, ClearLeavesOneEmptyLineAndTheScrollPosition) {
  box_->SetColor(kRed);
  box_->Printf("a\nb\nc");
  box_->first_visible_line = 2;
  box_->Clear();
  ASSERT_EQ(box_->lines.size(), 1u);
  EXPECT_EQ(box_->lines[0].text, "");
  EXPECT_TRUE(box_->lines[0].runs.empty());
  EXPECT_EQ(box_->first_visible_line, 2u);
}

// Drawing: a 320 x 240 window with the box at (10, 20), 300 x 200, margin 4.
class TextBoxDrawTest : public TextBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NE(box_, nullptr);
    ASSERT_TRUE(gl_.ok());
    state_.width = gl_.width();
    state_.height = gl_.height();
    box_->SetPosition(10, 20);
    box_->SetSize(300, 200);
    box_->SetMargin(4);
  }

  std::vector<woxa_test::Quad> DrawnQuads() {
    woxa_test::Feedback feedback;
    feedback.Begin();
    scene_.DrawForms();
    std::vector<woxa_test::Quad> quads;
    EXPECT_TRUE(feedback.End());
    EXPECT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), gl_.height(), &quads));
    return quads;
  }

  woxa_test::GlWindow gl_{320, 240};
};

Color ColorOf(const woxa_test::Quad& quad) {
  auto byte = [](float f) { return static_cast<unsigned char>(f * 255.0f + 0.5f); };
  const auto& c = quad.corner[0];
  return {byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

TEST_F(TextBoxDrawTest, DrawsTheRowsFromTheScrollPositionAtTheTextOrigin) {
  box_->SetSize(300, 2 * 13 + 8);  // two rows
  box_->Printf("a\nbc\nd\ne");
  box_->first_visible_line = 1;
  const auto quads = DrawnQuads();
  ASSERT_EQ(quads.size(), 3u);  // b, c and d; newlines leave blank cells
  EXPECT_FLOAT_EQ(quads[0].left(), 14);
  EXPECT_FLOAT_EQ(quads[0].top(), 24);
  EXPECT_FLOAT_EQ(quads[1].left(), 20);
  EXPECT_FLOAT_EQ(quads[2].left(), 14);
  EXPECT_FLOAT_EQ(quads[2].top(), 37);
}

struct StartColourCase {
  const char* name;
  void (*fill)(TextView&);
  std::uint32_t first_visible;
  Color expected;
};

TEST_F(TextBoxDrawTest, TheTopLineStartsInTheColourInForceAboveIt) {
  const StartColourCase cases[] = {
      {"yellow set before the first line",
       [](TextView& v) {
         v.SetColor(kYellow);
         v.Printf("a\nb\n");
       },
       0, kYellow},
      {"yellow carried to the second line",
       [](TextView& v) {
         v.SetColor(kYellow);
         v.Printf("a\nb\n");
       },
       1, kYellow},
      {"no runs above: the text colour", [](TextView& v) { v.Printf("a\nb\n"); }, 1, kGreen},
      {"the nearest run above wins",
       [](TextView& v) {
         v.SetColor(kRed);
         v.Printf("a\n");
         v.SetColor(kBlue);
         v.Printf("b\nc\nd\n");
       },
       3, kBlue},
      {"carried past a dropped line",
       [](TextView& v) {
         v.SetColor(kCyan);
         v.Printf("a\nb\n");
         v.DropOldestLine();
       },
       0, kCyan},
  };
  for (const StartColourCase& c : cases) {
    box_->Clear();
    box_->text_color = kGreen;
    c.fill(*box_);
    box_->first_visible_line = c.first_visible;
    const auto quads = DrawnQuads();
    ASSERT_FALSE(quads.empty()) << c.name;
    EXPECT_EQ(ColorOf(quads[0]), c.expected) << c.name;
  }
}

// Whatever is drawn, or nothing when scrolled past the end, the matrices and
// the enable and texture state come back as they were.
TEST_F(TextBoxDrawTest, ScrolledPastTheEndOnlyTheBackdropIsDrawnAndStateIsRestored) {
  box_->backdrop_shown.Set(0);
  box_->color = Color{0, 0, 128, 191};
  box_->Printf("a\nb\n");
  for (std::uint32_t first : {0u, 3u, 1000u}) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, -3);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    GLfloat projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);

    box_->first_visible_line = first;
    const auto quads = DrawnQuads();

    ASSERT_FALSE(quads.empty()) << first;
    EXPECT_FLOAT_EQ(quads[0].left(), 10) << first;  // the backdrop fills the rectangle
    EXPECT_FLOAT_EQ(quads[0].top(), 20) << first;
    EXPECT_FLOAT_EQ(quads[0].width(), 300) << first;
    EXPECT_EQ(quads.size(), first == 0 ? 3u : 1u) << first;
    GLint mode = 0, binding = 0, env = 0, depth = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]) << "projection " << i;
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], modelview[i]) << "modelview " << i;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
    EXPECT_EQ(static_cast<GLuint>(binding), texture);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(env, GL_REPLACE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &texture);
  }
}

}  // namespace
}  // namespace woxa
