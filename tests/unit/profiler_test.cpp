#include "woxa/timing/profiler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "woxa/platform/win32.h"
#include "woxa/text/font.h"
#include "woxa/timing/timer.h"
#ifndef _WIN32
#include "woxa/platform/headless/control.h"
#endif

namespace woxa {
namespace {

constexpr std::uint32_t kNone = Profiler::kNoSection;

// One flat-coloured rectangle of the graph, in overlay pixels.
struct Bar {
  float left, top, right, bottom;
  int r, g, b, a;
};

void ExpectBar(const woxa_test::Quad& quad, const Bar& bar, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_FLOAT_EQ(quad.left(), bar.left);
  EXPECT_FLOAT_EQ(quad.left() + quad.width(), bar.right);
  EXPECT_FLOAT_EQ(quad.top(), bar.top);
  EXPECT_FLOAT_EQ(quad.top() + quad.height(), bar.bottom);
  const woxa_test::QuadCorner& color = quad.corner[0];
  EXPECT_NEAR(color.r * 255.0f, bar.r, 0.5f);
  EXPECT_NEAR(color.g * 255.0f, bar.g, 0.5f);
  EXPECT_NEAR(color.b * 255.0f, bar.b, 0.5f);
  EXPECT_NEAR(color.a * 255.0f, bar.a, 0.5f);
}

// The four quads of one row of a graph drawn at x = 5: average bar, rest of
// the scale, minimum and maximum markers, for a row whose top is `top`.
std::vector<Bar> Row(float top, float x_avg, float x_min, float x_max) {
  const float x = 5;
  const float bottom = top + 13;
  return {{x, top, x_avg, bottom, 255, 255, 255, 191},
          {std::fmin(x_avg, x + 150), top, std::fmax(x_avg, x + 150), bottom, 191, 191, 191, 191},
          {x_min - 1, top, x_min + 1, bottom, 0, 255, 0, 255},
          {x_max - 1, top, x_max + 1, bottom, 255, 0, 0, 255}};
}

// Draws the graph at (5, 5) in feedback mode and returns its quads.
std::vector<woxa_test::Quad> DrawnQuads(const woxa_test::GlWindow& gl, Profiler& profiler) {
  woxa_test::Feedback feedback;
  feedback.Begin();
  profiler.Draw(5, 5, static_cast<std::uint32_t>(gl.width()), static_cast<std::uint32_t>(gl.height()));
  EXPECT_TRUE(feedback.End());
  std::vector<woxa_test::Quad> quads;
  EXPECT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), gl.height(), &quads));
  return quads;
}

TEST(Profiler, StartsSwitchedOffWithAnEmptyTable) {
  Timer timer;
  Profiler profiler;
  EXPECT_EQ(Profiler::Instance(), &profiler);
  EXPECT_EQ(profiler.Enabled.Count(), 1u);
  EXPECT_EQ(profiler.Enabled[0], 0);
  EXPECT_EQ(profiler.Begin("[WOXA]Main Loop"), kNone);
  EXPECT_EQ(profiler.SectionCount(), 0u);
}

TEST(Profiler, NewSectionsTakeTheNextIndexAndStartHalfFull) {
  Timer timer;
  Profiler profiler;
  profiler.Enabled[0] = 2;  // any non-zero byte switches the profiler's own operations on
  EXPECT_EQ(profiler.Begin("[WOXA]Main Loop"), 0u);
  EXPECT_EQ(profiler.Begin("[WOXA]Idle Event"), 1u);
  profiler.End(1);
  EXPECT_EQ(profiler.Begin("[WOXA]Idle Event"), 1u);
  ASSERT_EQ(profiler.SectionCount(), 2u);
  const ProfileSection& idle = profiler.Section(1);
  EXPECT_EQ(idle.name, "[WOXA]Idle Event");
  EXPECT_TRUE(idle.running);
  EXPECT_EQ(idle.average, 50.0f);
  EXPECT_EQ(idle.minimum, 0.0f);
  EXPECT_EQ(idle.maximum, 100.0f);
}

TEST(Profiler, TableHoldsSixtyFourSectionsAndRefusesTheSixtyFifth) {
  Timer timer;
  Profiler profiler;
  profiler.Enabled.Set(0);
  for (std::uint32_t i = 0; i < Profiler::kMaxSections; ++i) {
    ASSERT_EQ(profiler.Begin(("section " + std::to_string(i)).c_str()), i);
  }
  EXPECT_EQ(profiler.Begin("one too many"), kNone);
  EXPECT_EQ(profiler.SectionCount(), 64u);
  profiler.End(kNone);
  profiler.End(64);  // never handed out
  profiler.End(63);
  EXPECT_FALSE(profiler.Section(63).running);
  EXPECT_EQ(profiler.Begin("section 63"), 63u);  // known names still resolve
  EXPECT_EQ(profiler.Begin("section 6"), 6u);    // a prefix of "section 63" is a different name
}

TEST(Profiler, ResetClearsTimesAndRunningMarksButKeepsStatistics) {
  Timer timer;
  Profiler profiler;
  profiler.Enabled.Set(0);
  profiler.Begin("a");
  profiler.Begin("b");
  profiler.Reset();
  for (std::uint32_t i = 0; i < 2; ++i) {
    EXPECT_FALSE(profiler.Section(i).running);
    EXPECT_EQ(profiler.Section(i).total_time, 0u);
    EXPECT_EQ(profiler.Section(i).child_time, 0u);
    EXPECT_EQ(profiler.Section(i).average, 50.0f);
  }
  profiler.End(0);  // no longer running: nothing to book
  EXPECT_EQ(profiler.Section(0).total_time, 0u);
}

#ifndef _WIN32
// The timer's clock starts at 0 when each test begins and moves only when
// the test advances it.
class ProfilerClock : public ::testing::Test {
 protected:
  ProfilerClock() {
    headless::SetClock(5000);
    timer_ = new Timer;
    profiler.Enabled.Set(0);
  }
  ~ProfilerClock() override {
    delete timer_;
    headless::UseRealClock();
  }
  static void Advance(std::uint32_t ms) { headless::AdvanceClock(ms); }

  Timer* timer_;
  Profiler profiler;
};

TEST_F(ProfilerClock, NestedSectionCountsOnlyAsChildTimeOfItsParent) {
  std::uint32_t a = profiler.Begin("a");
  std::uint32_t b = profiler.Begin("b");
  Advance(4);
  profiler.End(b);
  Advance(6);
  profiler.End(a);
  EXPECT_EQ(profiler.Section(a).total_time, 10u);
  EXPECT_EQ(profiler.Section(a).child_time, 4u);
  EXPECT_EQ(profiler.Section(b).total_time, 4u);
  EXPECT_EQ(profiler.Section(b).child_time, 0u);

  Advance(90);
  profiler.Update();  // a 100 ms frame: a = 0.1, b = 0.01
  EXPECT_NEAR(profiler.Section(a).average, 0.9 * 50 + 0.1 * 6, 1e-4);  // own share 6 %, not 10 %
  EXPECT_NEAR(profiler.Section(a).minimum, 0.01 * 6, 1e-4);
  EXPECT_NEAR(profiler.Section(a).maximum, 0.99 * 100 + 0.01 * 6, 1e-4);
  EXPECT_NEAR(profiler.Section(b).average, 0.9 * 50 + 0.1 * 4, 1e-4);
}

TEST_F(ProfilerClock, ParentIsTheLatestBegunRunningSectionAndTheHigherIndexOnTies) {
  profiler.Begin("low");
  profiler.Begin("high");
  std::uint32_t inner = profiler.Begin("inner");
  Advance(3);
  profiler.End(inner);  // low and high began at the same millisecond
  EXPECT_EQ(profiler.Section(0).child_time, 0u);
  EXPECT_EQ(profiler.Section(1).child_time, 3u);

  profiler.Reset();
  profiler.Begin("high");
  Advance(1);
  profiler.Begin("low");  // begun later, though its index is lower
  profiler.Begin("inner");
  Advance(2);
  profiler.End(inner);
  EXPECT_EQ(profiler.Section(0).child_time, 2u);
  EXPECT_EQ(profiler.Section(1).child_time, 0u);
}

TEST_F(ProfilerClock, BeginOfARunningSectionKeepsItsStartTime) {
  std::uint32_t a = profiler.Begin("a");
  Advance(5);
  EXPECT_EQ(profiler.Begin("a"), a);
  EXPECT_EQ(profiler.Section(a).start_time, 0u);
  Advance(5);
  profiler.End(a);
  EXPECT_EQ(profiler.Section(a).total_time, 10u);

  Advance(7);
  profiler.Begin("a");  // not running any more: this one restarts it
  EXPECT_EQ(profiler.Section(a).start_time, 17u);
  Advance(1);
  profiler.End(a);
  EXPECT_EQ(profiler.Section(a).total_time, 11u);  // times add up until Reset
}

// One section of `own` ms in a frame of `frame` ms, from a new section's
// 50 / 0 / 100: the average follows with weight frame / 1 s and the extremes
// with frame / 10 s, neither weight above 1.
struct WeightCase {
  std::uint32_t frame, own;
  float average, minimum, maximum;
};

TEST_F(ProfilerClock, WeightsFollowTheFrameLengthAndStopAtOne) {
  const WeightCase cases[] = {
      {100, 25, 47.5f, 0.25f, 99.25f},    // a = 0.1, b = 0.01
      {1000, 250, 25.0f, 2.5f, 92.5f},    // a = 1: the average jumps to the share
      {2000, 500, 25.0f, 5.0f, 85.0f},    // a capped at 1, b = 0.2
      {10000, 2500, 25.0f, 25.0f, 25.0f}, // b = 1: the extremes jump too
      {40000, 10000, 25.0f, 25.0f, 25.0f} // both capped
  };
  for (const WeightCase& c : cases) {
    SCOPED_TRACE(c.frame);
    profiler.Update();  // start the frame
    std::string name = "frame " + std::to_string(c.frame);
    std::uint32_t s = profiler.Begin(name.c_str());
    Advance(c.own);
    profiler.End(s);
    Advance(c.frame - c.own);
    profiler.Update();
    EXPECT_NEAR(profiler.Section(s).average, c.average, 1e-4);
    EXPECT_NEAR(profiler.Section(s).minimum, c.minimum, 1e-4);
    EXPECT_NEAR(profiler.Section(s).maximum, c.maximum, 1e-4);
    profiler.Reset();
  }
}

TEST_F(ProfilerClock, AFrameOfNoMillisecondsCountsAsOne) {
  std::uint32_t s = profiler.Begin("s");
  Advance(3);
  profiler.End(s);
  profiler.Update();
  profiler.Update();  // same millisecond: 3 ms booked in a 1 ms frame
  EXPECT_FLOAT_EQ(profiler.Section(s).maximum, 300.0f);
  EXPECT_NEAR(profiler.Section(s).average, 0.999 * (0.997 * 50 + 0.003 * 100) + 0.001 * 300, 1e-4);
}

TEST_F(ProfilerClock, UpdateLeavesRunningSectionsAlone) {
  std::uint32_t running = profiler.Begin("running");
  std::uint32_t done = profiler.Begin("done");
  Advance(250);
  profiler.End(done);
  Advance(750);
  profiler.Update();
  EXPECT_EQ(profiler.Section(running).average, 50.0f);
  EXPECT_EQ(profiler.Section(running).minimum, 0.0f);
  EXPECT_EQ(profiler.Section(running).maximum, 100.0f);
  EXPECT_FLOAT_EQ(profiler.Section(done).average, 25.0f);  // a = 1: the share itself
  EXPECT_FLOAT_EQ(profiler.Section(done).minimum, 2.5f);
}

TEST_F(ProfilerClock, SwitchedOffNothingChangesAndTheOpenSectionBooksThePauseLater) {
  std::uint32_t a = profiler.Begin("a");
  std::uint32_t b = profiler.Begin("b");
  Advance(10);
  profiler.End(b);
  profiler.Enabled.Flip(0);

  EXPECT_EQ(profiler.Begin("c"), kNone);
  EXPECT_EQ(profiler.Begin("a"), kNone);
  profiler.End(a);
  profiler.End(kNone);
  Advance(990);
  profiler.Update();
  profiler.Reset();
  woxa_test::GlWindow gl(256, 64);
  ASSERT_TRUE(gl.ok());
  Font font;
  woxa_test::Feedback feedback;
  feedback.Begin();
  profiler.Draw(5, 5, 256, 64);
  ASSERT_TRUE(feedback.End());
  EXPECT_TRUE(feedback.polygons().empty());

  EXPECT_EQ(profiler.SectionCount(), 2u);
  EXPECT_TRUE(profiler.Section(a).running);
  EXPECT_EQ(profiler.Section(a).total_time, 0u);
  EXPECT_EQ(profiler.Section(b).total_time, 10u);
  EXPECT_EQ(profiler.Section(b).average, 50.0f);

  profiler.Enabled.Flip(0);
  Advance(1000);
  profiler.End(a);  // books everything since its Begin, the pause included
  EXPECT_EQ(profiler.Section(a).total_time, 2000u);
  EXPECT_EQ(profiler.Section(a).child_time, 10u);
  profiler.Update();  // the first frame after the pause spans it too: 2000 ms
  EXPECT_FLOAT_EQ(profiler.Section(a).average, 99.5f);  // 1990 own ms of 2000
  EXPECT_FLOAT_EQ(profiler.Section(b).average, 0.5f);
}

// Two frames give each section a distinct average, minimum and maximum.
TEST_F(ProfilerClock, GraphShowsEachSectionsStatisticsAsBarsAndMarkers) {
  std::uint32_t s = profiler.Begin("s");  // 20 % of a 10 s frame: 20 / 20 / 20
  Advance(2000);
  profiler.End(s);
  Advance(8000);
  profiler.Update();
  profiler.Reset();
  std::uint32_t outer = profiler.Begin("outer");  // then a 1 s frame: a = 1, b = 0.1
  std::uint32_t t = profiler.Begin("t");
  Advance(100);
  profiler.End(t);
  profiler.Begin("s");
  Advance(100);
  profiler.End(s);
  Advance(800);
  profiler.End(outer);
  profiler.Update();
  // s, share 10: average 10, minimum 10, maximum 0.9 * 20 + 1 = 19 (28.5 px).
  // outer, own share 80: average 80, minimum 8, maximum 98.
  // t, share 10: average 10, minimum 1 (1.5 px), maximum 91 (136.5 px).
  ASSERT_EQ(profiler.SectionCount(), 3u);

  woxa_test::GlWindow gl(256, 64);
  ASSERT_TRUE(gl.ok());
  Font font;
  std::vector<woxa_test::Quad> quads = DrawnQuads(gl, profiler);
  ASSERT_GE(quads.size(), 12u);
  std::vector<Bar> expected = Row(5, 5 + 15, 5 + 15, 5 + 28);
  for (const Bar& bar : Row(18, 5 + 120, 5 + 12, 5 + 147)) expected.push_back(bar);
  for (const Bar& bar : Row(31, 5 + 15, 5 + 1, 5 + 136)) expected.push_back(bar);
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectBar(quads[i], expected[i], "quad " + std::to_string(i));
}

// Time booked before the previous update, by a section still running at
// it, counts in the next frame: the share passes 100 % and the bar runs
// past the 150-pixel scale, unclamped.
TEST_F(ProfilerClock, ShareAboveAWholeFrameDrawsPastTheScale) {
  std::uint32_t held = profiler.Begin("held");
  Advance(1000);
  profiler.Update();
  Advance(1000);
  profiler.End(held);
  profiler.Update();  // 2000 ms in a 1000 ms frame: 200 / 20 / 200
  EXPECT_FLOAT_EQ(profiler.Section(held).average, 200.0f);

  woxa_test::GlWindow gl(512, 64);
  ASSERT_TRUE(gl.ok());
  Font font;
  std::vector<woxa_test::Quad> quads = DrawnQuads(gl, profiler);
  ASSERT_GE(quads.size(), 4u);
  std::vector<Bar> expected = Row(5, 305, 35, 305);
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectBar(quads[i], expected[i], "quad " + std::to_string(i));
}

// Ending a parent before its child books the parent's time to the child as
// child time, and the child's own time wraps to nearly 2^32 ms: a share of
// about 10^11 %. Its markers lie far past any 32-bit pixel position; they are
// held at the edge of that range, so the graph still draws, clipped.
TEST_F(ProfilerClock, AShareBeyondEveryPixelPositionIsHeldAtTheEdge) {
  std::uint32_t parent = profiler.Begin("parent");
  Advance(2);
  std::uint32_t child = profiler.Begin("child");
  Advance(3);
  profiler.End(parent);  // out of order: "child" is the running parent now
  Advance(1);
  profiler.End(child);   // 1 ms elapsed, 5 ms of child time
  profiler.Update();     // 6 ms frame
  EXPECT_GT(profiler.Section(child).maximum, 1e10f);

  woxa_test::GlWindow gl(256, 64);
  ASSERT_TRUE(gl.ok());
  Font font;
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  profiler.Draw(5, 5, 256, 64);
  glFinish();
  // The child's bars run off the right edge; no marker lands on screen.
  for (int x : {60, 150, 200, 255}) EXPECT_NEAR(static_cast<int>(gl.ReadPixel(x, 24) >> 24), 191, 2) << x;
  EXPECT_EQ(gl.ReadPixel(0, 24) >> 8, 0u);
}
#endif

// A drawn section before any update shows its starting statistics: half a
// bar, the green marker at the left end and the red one at 150 pixels; the
// labels follow all the rows, in black, one cell per byte over their bars.
TEST(ProfilerGraph, NewSectionsShowHalfBarsThenTheirNamesInBlack) {
  woxa_test::GlWindow gl(256, 64);
  ASSERT_TRUE(gl.ok());
  Timer timer;
  Font font;
  Profiler profiler;
  profiler.Enabled.Set(0);
  profiler.Begin("[WOXA]Main Loop");
  profiler.Begin("ab");

  std::vector<woxa_test::Quad> quads = DrawnQuads(gl, profiler);
  ASSERT_EQ(quads.size(), 8u + 15u + 2u);
  std::vector<Bar> expected = Row(5, 80, 5, 155);
  for (const Bar& bar : Row(18, 80, 5, 155)) expected.push_back(bar);
  for (std::size_t i = 0; i < 8; ++i) ExpectBar(quads[i], expected[i], "quad " + std::to_string(i));
  for (std::size_t k = 0; k < 15; ++k) {
    ExpectBar(quads[8 + k], {5.0f + 6 * k, 5, 11.0f + 6 * k, 18, 0, 0, 0, 255}, "label 0 glyph " + std::to_string(k));
  }
  ExpectBar(quads[23], {5, 18, 11, 31, 0, 0, 0, 255}, "label 1 glyph 0");
  ExpectBar(quads[24], {11, 18, 17, 31, 0, 0, 0, 255}, "label 1 glyph 1");
}

// Pixels of a drawn graph over a black window: the bars are blended at
// three quarters, the markers opaque, and the labels leave black ink.
TEST(ProfilerGraph, BarsBlendOverTheSceneAndLabelsAreInked) {
  woxa_test::GlWindow gl(256, 64);
  ASSERT_TRUE(gl.ok());
  Timer timer;
  Font font;
  Profiler profiler;
  profiler.Enabled.Set(0);
  profiler.Begin("WWWWWW");
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  profiler.Draw(5, 5, 256, 64);
  glFinish();

  auto channel = [](unsigned pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); };
  unsigned bar = gl.ReadPixel(60, 16);   // past the label, inside the average bar
  unsigned rest = gl.ReadPixel(120, 16); // the rest of the scale
  EXPECT_NEAR(channel(bar, 24), 191, 2);
  EXPECT_NEAR(channel(rest, 24), 143, 2);
  EXPECT_EQ(gl.ReadPixel(155, 10) >> 8, 0xFF0000u);  // the red marker, straddling 150 pixels
  EXPECT_EQ(gl.ReadPixel(4, 10) >> 8, 0x00FF00u);    // the green one at 0, left of the label
  int ink = 0;
  for (int y = 5; y < 18; ++y) {
    for (int x = 7; x < 41; ++x) ink += (gl.ReadPixel(x, y) >> 8) == 0 ? 1 : 0;
  }
  EXPECT_GT(ink, 6 * 4);
}

TEST(ProfilerGraph, DrawRestoresMatricesAndEnableAndTextureState) {
  woxa_test::GlWindow gl(256, 64);
  ASSERT_TRUE(gl.ok());
  Timer timer;
  Font font;
  Profiler profiler;
  profiler.Enabled.Set(0);
  profiler.Begin("[WOXA]Idle Event");

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, -3);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  GLfloat projection[16], modelview[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  GLint projection_depth = 0, modelview_depth = 0;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection_depth);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview_depth);

  profiler.Draw(5, 5, 256, 64);

  GLint mode = 0, binding = 0, env = 0, depth = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLfloat after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]) << "projection " << i;
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], modelview[i]) << "modelview " << i;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, projection_depth);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, modelview_depth);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
  EXPECT_EQ(static_cast<GLuint>(binding), texture);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  EXPECT_EQ(env, GL_REPLACE);
  EXPECT_TRUE(font.uploaded());  // the labels were drawn, binding the font's texture
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteTextures(1, &texture);
}

}  // namespace
}  // namespace woxa
