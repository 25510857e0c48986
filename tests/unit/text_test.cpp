// Drawing plain and coloured text with the built-in font, checked through
// feedback mode (where each glyph's quad lands, its texture cell, its colour)
// and through the pixels it leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "woxa/text/font.h"
#include "woxa/text/font_glyphs.h"

namespace woxa {
namespace {

constexpr Color kRed{255, 0, 0, 255};
constexpr Color kGreen{0, 255, 0, 255};
constexpr Color kBlue{0, 0, 255, 255};
constexpr Color kWhite{255, 255, 255, 255};

// A window with the overlay projection and blending every caller of the font
// sets up.
class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    gl_.UsePixelProjection();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // The quads `draw` emits, bracketed as callers bracket it.
  std::vector<woxa_test::Quad> QuadsOf(const std::function<void()>& draw) {
    woxa_test::Feedback feedback;
    feedback.Begin();
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    draw();
    glPopAttrib();
    std::vector<woxa_test::Quad> quads;
    EXPECT_TRUE(feedback.End());
    EXPECT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), gl_.height(), &quads));
    return quads;
  }

  // The whole frame, top row first, as 0xRRGGBB.
  std::vector<std::uint32_t> Frame() const {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(gl_.width() * gl_.height()) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, gl_.width(), gl_.height(), GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(gl_.width() * gl_.height()));
    for (int y = 0; y < gl_.height(); ++y) {
      for (int x = 0; x < gl_.width(); ++x) {
        const unsigned char* p = &rgba[static_cast<std::size_t>((gl_.height() - 1 - y) * gl_.width() + x) * 4];
        frame[static_cast<std::size_t>(y * gl_.width() + x)] = (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
      }
    }
    return frame;
  }

  woxa_test::GlWindow gl_{160, 96};
  Font font_;
};

std::uint32_t Rgb(const Color& c) { return (unsigned{c.r} << 16) | (unsigned{c.g} << 8) | c.b; }

std::uint32_t RgbOf(const woxa_test::Quad& q) {
  const auto& c = q.corner[0];
  auto byte = [](float f) { return static_cast<std::uint32_t>(f * 255.0f + 0.5f); };
  return (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

bool GlyphBit(int code, int row, int column) {
  return (kFontGlyphs[code - kFontGlyphFirst][row] & (0x80 >> column)) != 0;
}

// Every byte advances the pen one cell; only printable ones leave a quad.
TEST_F(TextTest, StringAdvancesOneCellPerByteAndSkipsUndrawableBytes) {
  struct Case {
    std::string text;
    std::vector<float> lefts;
  };
  const Case kCases[] = {
      {"ab\ncd", {10, 16, 28, 34}},
      {"a\tb\x01", {10, 22}},
      {"\x80z\xff" "y", {16, 28}},
      {"x\x7f", {10, 16}},
      {" ", {10}},
  };
  for (const auto& c : kCases) {
    const auto quads = QuadsOf([&] { font_.DrawString(c.text, kWhite, 10, 20, 1); });
    ASSERT_EQ(quads.size(), c.lefts.size()) << c.text;
    for (std::size_t i = 0; i < quads.size(); ++i) {
      EXPECT_FLOAT_EQ(quads[i].left(), c.lefts[i]) << c.text << " glyph " << i;
      EXPECT_FLOAT_EQ(quads[i].top(), 20) << c.text << " glyph " << i;
    }
  }
}

TEST_F(TextTest, ScaleSizesCellsAndStepsAndZeroMeansOne) {
  struct Case {
    int scale;
    float width, height;
  };
  const Case kCases[] = {{0, 6, 13}, {1, 6, 13}, {2, 12, 26}, {3, 18, 39}};
  for (const auto& c : kCases) {
    const auto quads = QuadsOf([&] { font_.DrawString("AB", kWhite, 4, 5, c.scale); });
    ASSERT_EQ(quads.size(), 2u) << "scale " << c.scale;
    EXPECT_FLOAT_EQ(quads[0].width(), c.width) << "scale " << c.scale;
    EXPECT_FLOAT_EQ(quads[0].height(), c.height) << "scale " << c.scale;
    EXPECT_FLOAT_EQ(quads[1].left(), 4 + c.width) << "scale " << c.scale;
    // The sampled cell of "B" does not depend on the scale.
    EXPECT_FLOAT_EQ(quads[1].corner[2].s, 18 / 256.0f) << "scale " << c.scale;
  }
}

TEST_F(TextTest, StringIsDrawnInItsColour) {
  glColor4ub(1, 2, 3, 255);
  const auto quads = QuadsOf([&] { font_.DrawString("hi", kBlue, 0, 0, 1); });
  ASSERT_EQ(quads.size(), 2u);
  for (const auto& q : quads) EXPECT_EQ(RgbOf(q), Rgb(kBlue));
}

// Glyph pixels take the colour exactly, the rest of the cell stays clear.
TEST_F(TextTest, StringPixelsFollowTheGlyphBitmapAtEveryScale) {
  for (int scale : {1, 2}) {
    glClear(GL_COLOR_BUFFER_BIT);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    font_.DrawString("A&g", kGreen, 3, 7, scale);
    glPopAttrib();
    const auto frame = Frame();
    const std::string text = "A&g";
    for (std::size_t i = 0; i < text.size(); ++i) {
      for (int y = 0; y < 13 * scale; ++y) {
        for (int x = 0; x < 6 * scale; ++x) {
          const int px = 3 + static_cast<int>(i) * 6 * scale + x;
          const int py = 7 + y;
          const std::uint32_t expected = GlyphBit(text[i], y / scale, x / scale) ? Rgb(kGreen) : 0;
          ASSERT_EQ(frame[static_cast<std::size_t>(py * gl_.width() + px)], expected)
              << "'" << text[i] << "' scale " << scale << " at " << x << "," << y;
        }
      }
    }
  }
}

// Each string operation opens the same way, even with nothing to draw, and
// sets the texture state again every time.
TEST_F(TextTest, EveryOperationBindsTheFontTextureAndSetsItsStateEvenWhenEmpty) {
  const ColoredLine empty_line;
  const std::deque<ColoredLine> lines(3);
  const std::function<void()> kOperations[] = {
      [&] { font_.DrawString("", kWhite, 0, 0, 1); },
      [&] { font_.DrawColoredLine(empty_line, 1, 0, 0); },
      [&] { font_.DrawColoredLines(lines, 1, 2, 2, 0, 0); },
  };
  font_.DrawString("", kWhite, 0, 0, 1);
  const GLuint name = font_.texture_name();
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  for (std::size_t i = 0; i < 3; ++i) {
    // Spoil what the operation must set.
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);

    kOperations[i]();
    // A glBegin left open would make this query fail.
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "operation " << i;
    GLint bound = 0, wrap_s = 0, wrap_t = 0, mag = 0, min = 0, env = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap_s);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap_t);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(font_.texture_name(), name) << "operation " << i << " made a second texture";
    EXPECT_EQ(static_cast<GLuint>(bound), name) << "operation " << i;
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "operation " << i;
    EXPECT_EQ(wrap_s, GL_REPEAT) << "operation " << i;
    EXPECT_EQ(wrap_t, GL_REPEAT) << "operation " << i;
    EXPECT_EQ(mag, GL_NEAREST) << "operation " << i;
    EXPECT_EQ(min, GL_LINEAR) << "operation " << i;
    EXPECT_EQ(env, GL_MODULATE) << "operation " << i;
  }
}

ColoredLine Line(std::string text, std::deque<ColorRun> runs = {}) {
  return ColoredLine{std::move(text), std::move(runs)};
}

// The line starts in the current colour (white here); a run that is never
// met holds back every run after it.
TEST_F(TextTest, ColoredLineAppliesItsRunsInOrder) {
  struct Case {
    const char* what;
    ColoredLine line;
    std::vector<std::uint32_t> colours;
  };
  const std::uint32_t r = Rgb(kRed), g = Rgb(kGreen), b = Rgb(kBlue), w = Rgb(kWhite);
  const Case kCases[] = {
      {"two runs", Line("abcdef", {{kRed, 0}, {kGreen, 3}}), {r, r, r, g, g, g}},
      {"second run at the same start", Line("abcdef", {{kRed, 0}, {kGreen, 0}, {kBlue, 3}}), {r, r, r, r, r, r}},
      {"no runs", Line("abc"), {w, w, w}},
      {"first run after the start", Line("abcd", {{kBlue, 2}}), {w, w, b, b}},
      {"run beyond the text", Line("abcdef", {{kRed, 1}, {kGreen, 10}, {kBlue, 4}}), {w, r, r, r, r, r}},
      {"negative start", Line("abc", {{kRed, -1}, {kGreen, 1}}), {w, w, w}},
      {"runs over undrawn bytes", Line("a\nb", {{kRed, 1}, {kGreen, 2}}), {w, g}},
  };
  for (const auto& c : kCases) {
    glColor4ubv(kWhite.data());
    const auto quads = QuadsOf([&] { font_.DrawColoredLine(c.line, 1, 2, 3); });
    ASSERT_EQ(quads.size(), c.colours.size()) << c.what;
    for (std::size_t i = 0; i < quads.size(); ++i) {
      EXPECT_EQ(RgbOf(quads[i]), c.colours[i]) << c.what << ", glyph " << i;
    }
  }
}

TEST_F(TextTest, ColoredLineIsPlacedLikeAStringAndKeepsItsLastColourCurrent) {
  glColor4ubv(kWhite.data());
  const ColoredLine line = Line("a\tbc", {{kRed, 0}, {kGreen, 3}});
  const auto quads = QuadsOf([&] { font_.DrawColoredLine(line, 0, 10, 20); });
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_FLOAT_EQ(quads[0].left(), 10);
  EXPECT_FLOAT_EQ(quads[1].left(), 22);
  EXPECT_FLOAT_EQ(quads[2].left(), 28);
  EXPECT_FLOAT_EQ(quads[2].top(), 20);
  EXPECT_FLOAT_EQ(quads[2].height(), 13);
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[0], 0.0f);
  EXPECT_EQ(current[1], 1.0f);
  EXPECT_EQ(current[2], 0.0f);
}

TEST_F(TextTest, ColoredLinePixelsTakeEachRunsColour) {
  glColor4ubv(kWhite.data());
  const ColoredLine line = Line("HHH", {{kRed, 1}, {kBlue, 2}});
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
  font_.DrawColoredLine(line, 1, 0, 0);
  glPopAttrib();
  const auto frame = Frame();
  // Column 0 of "H" is inked from row 2 to 10.
  EXPECT_EQ(frame[static_cast<std::size_t>(5 * gl_.width() + 0)], Rgb(kWhite));
  EXPECT_EQ(frame[static_cast<std::size_t>(5 * gl_.width() + 6)], Rgb(kRed));
  EXPECT_EQ(frame[static_cast<std::size_t>(5 * gl_.width() + 12)], Rgb(kBlue));
  EXPECT_EQ(frame[static_cast<std::size_t>(5 * gl_.width() + 5)], 0u);
}

// Lines of different lengths make each row's quads easy to tell apart.
std::deque<ColoredLine> SixLines() {
  std::deque<ColoredLine> lines;
  for (int i = 0; i < 6; ++i) lines.push_back(Line(std::string(static_cast<std::size_t>(i + 1), 'x')));
  return lines;
}

TEST_F(TextTest, ColoredLinesStackTheChosenLinesOneLineStepApart) {
  const auto lines = SixLines();
  struct Case {
    int scale;
    float step;
  };
  for (const Case c : {Case{1, 13}, Case{0, 13}, Case{2, 26}}) {
    const auto quads = QuadsOf([&] { font_.DrawColoredLines(lines, c.scale, 2, 5, 7, 4); });
    // Lines 2, 3 and 4 have 3, 4 and 5 glyphs.
    ASSERT_EQ(quads.size(), 12u) << "scale " << c.scale;
    const float cell = c.step / 13 * 6;
    std::size_t q = 0;
    for (int row = 0; row < 3; ++row) {
      for (int i = 0; i < row + 3; ++i, ++q) {
        EXPECT_FLOAT_EQ(quads[q].left(), 7 + i * cell) << "scale " << c.scale << " row " << row;
        EXPECT_FLOAT_EQ(quads[q].top(), 4 + row * c.step) << "scale " << c.scale << " row " << row;
      }
    }
  }
}

TEST_F(TextTest, ColoredLinesWithNoLineInRangeDrawNothing) {
  const auto lines = SixLines();
  EXPECT_TRUE(QuadsOf([&] { font_.DrawColoredLines(lines, 1, 3, 3, 0, 0); }).empty());
  EXPECT_TRUE(QuadsOf([&] { font_.DrawColoredLines(lines, 1, 5, 2, 0, 0); }).empty());
  EXPECT_TRUE(QuadsOf([&] { font_.DrawColoredLines(lines, 1, 6, 6, 0, 0); }).empty());
}

// Each line restarts its own runs, but a colour carries from one line into
// the next until a run changes it.
TEST_F(TextTest, ColoredLinesCarryTheLastColourIntoTheFollowingLines) {
  glColor4ubv(kWhite.data());
  const std::deque<ColoredLine> lines = {
      Line("ab", {{kRed, 1}}),
      Line("cd"),
      Line("ef", {{kGreen, 0}, {kBlue, 1}}),
      Line("gh", {{kRed, 5}}),
  };
  const auto quads = QuadsOf([&] { font_.DrawColoredLines(lines, 1, 0, 4, 0, 0); });
  const std::uint32_t r = Rgb(kRed), g = Rgb(kGreen), b = Rgb(kBlue), w = Rgb(kWhite);
  const std::vector<std::uint32_t> expected = {w, r, r, r, g, b, b, b};
  ASSERT_EQ(quads.size(), expected.size());
  for (std::size_t i = 0; i < quads.size(); ++i) EXPECT_EQ(RgbOf(quads[i]), expected[i]) << "glyph " << i;
}

// Writes the frame as a PNG for people to look at; silently does nothing
// where the tools or the folder are missing.
void SaveArtifact(const std::vector<std::uint32_t>& frame, int width, int height, const char* name) {
#ifndef _WIN32
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = fs::path(WOXA_DEMO_DATA_DIR) / ".." / ".." / "build" / "artifacts";
  fs::create_directories(folder, error);
  const fs::path ppm = folder / (std::string(name) + ".ppm");
  std::FILE* f = std::fopen(ppm.string().c_str(), "wb");
  if (f == nullptr) return;
  std::fprintf(f, "P6\n%d %d\n255\n", width, height);
  for (std::uint32_t p : frame) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, f);
  }
  std::fclose(f);
  const fs::path png = folder / (std::string(name) + ".png");
  const std::string command = "convert '" + ppm.string() + "' '" + png.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) == 0) fs::remove(ppm, error);
#else
  (void)frame, (void)width, (void)height, (void)name;
#endif
}

// All 95 printable characters, 32 to a row, rendered at scale 3 and compared
// pixel by pixel with the glyph table; the picture goes to
// build/artifacts/font.png.
TEST(TextPicture, AllPrintableGlyphsRenderAsTheirBitmaps) {
  constexpr int kScale = 3, kMargin = 9;
  constexpr int kWidth = 32 * 6 * kScale + 2 * kMargin, kHeight = 3 * 13 * kScale + 2 * kMargin;
  woxa_test::GlWindow gl(kWidth, kHeight);
  ASSERT_TRUE(gl.ok());
  gl.UsePixelProjection();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  Font font;
  for (int row = 0; row < 3; ++row) {
    std::string text;
    for (int code = 32 + row * 32; code < 64 + row * 32 && code <= 126; ++code) text += static_cast<char>(code);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    font.DrawString(text, kWhite, kMargin, kMargin + row * 13 * kScale, kScale);
    glPopAttrib();
  }
  std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth * kHeight) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<std::uint32_t> frame(static_cast<std::size_t>(kWidth * kHeight));
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned char* p = &rgba[static_cast<std::size_t>((kHeight - 1 - y) * kWidth + x) * 4];
      const std::uint32_t pixel = (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
      frame[static_cast<std::size_t>(y * kWidth + x)] = pixel;
      const int cx = (x - kMargin) / kScale, cy = (y - kMargin) / kScale;
      const int code = 32 + (cy / 13) * 32 + cx / 6;
      const bool inside = x >= kMargin && y >= kMargin && cx < 32 * 6 && cy < 3 * 13 && code <= 126;
      const bool ink = inside && GlyphBit(code, cy % 13, cx % 6);
      if (pixel != (ink ? 0xFFFFFFu : 0u) && ++wrong <= 10) {
        ADD_FAILURE() << "pixel " << x << "," << y << " of code " << code << " is " << std::hex << pixel;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  SaveArtifact(frame, kWidth, kHeight, "font");
}

}  // namespace
}  // namespace woxa
