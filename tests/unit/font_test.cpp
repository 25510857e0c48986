#include "woxa/text/font.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "woxa/text/font_glyphs.h"
#include "woxa/text/font_image.h"

namespace woxa {
namespace {

// Texel (x, y) of the font image, y counted from the top of the image, as
// luminance * 256 + alpha.
int TexelFromTop(int x, int y) {
  const std::size_t stored_row = kFontImageHeight - 1 - static_cast<std::size_t>(y);
  const std::size_t i = (stored_row * kFontImageWidth + static_cast<std::size_t>(x)) * 2;
  return kFontImage[i] * 256 + kFontImage[i + 1];
}

TEST(FontImage, EveryTexelIsTransparentOrOpaqueWhite) {
  for (std::size_t i = 0; i < kFontImageSize; i += 2) {
    const int texel = kFontImage[i] * 256 + kFontImage[i + 1];
    ASSERT_TRUE(texel == 0 || texel == 0xFFFF) << "texel " << i / 2;
  }
}

// "A" of the source font, rows 2..10: the apex, the sides and the bar.
TEST(FontImage, GlyphOfASitsInColumnOneOfGridRowTwoTopRowFirst) {
  const char* const kA[13] = {"......", "......", "..#...", ".#.#..", "#...#.", "#...#.", "#...#.",
                              "#####.", "#...#.", "#...#.", "#...#.", "......", "......"};
  for (int row = 0; row < 13; ++row) {
    for (int column = 0; column < 6; ++column) {
      const int expected = kA[row][column] == '#' ? 0xFFFF : 0;
      EXPECT_EQ(TexelFromTop(6 + column, 26 + row), expected) << "row " << row << " column " << column;
    }
  }
}

// Only printable codes have ink, each only in its own cell and never in the
// cell's sixth column; the right 64 columns and bottom 37 rows stay empty.
TEST(FontImage, InkOnlyInsidePrintableCellsLeavingTheirLastColumnBlank) {
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 256; ++x) {
      if (TexelFromTop(x, y) == 0) continue;
      ASSERT_LT(x, 192) << "ink at " << x << "," << y;
      ASSERT_LT(y, 91) << "ink at " << x << "," << y;
      const int code = (y / 13) * 32 + x / 6;
      EXPECT_GE(code, 33) << "ink at " << x << "," << y;
      EXPECT_LE(code, 126) << "ink at " << x << "," << y;
      EXPECT_NE(x % 6, 5) << "ink touching the next cell in code " << code;
    }
  }
}

TEST(FontImage, EveryPrintableCharacterHasInk) {
  for (int code = 33; code <= 126; ++code) {
    int ink = 0;
    for (int row = 0; row < 13; ++row) ink += kFontGlyphs[code - kFontGlyphFirst][row];
    EXPECT_NE(ink, 0) << "code " << code;
  }
}

// No GL context exists here, as at library start-up.
TEST(Font, ConstructionWithoutAContextRegistersTheInstanceAndDefersTheTexture) {
  {
    Font font;
    EXPECT_EQ(Font::Instance(), &font);
    EXPECT_FALSE(font.uploaded());
    EXPECT_EQ(font.CellWidth(), 6);
    EXPECT_EQ(font.CellHeight(), 13);
  }
  EXPECT_EQ(Font::Instance(), nullptr);
}

TEST(Font, UploadCreatesTheTextureFromTheImageAndDestructionDeletesIt) {
  woxa_test::GlWindow gl;
  ASSERT_TRUE(gl.ok());
  GLuint name = 0;
  {
    Font font;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    font.UploadTexture();
    name = font.texture_name();
    EXPECT_TRUE(font.uploaded());
    ASSERT_EQ(glIsTexture(name), GL_TRUE);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    GLint bound = 0, width = 0, height = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 128);
    std::vector<unsigned char> texels(kFontImageSize);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_TRUE(std::equal(texels.begin(), texels.end(), kFontImage.begin()));
  }
  EXPECT_EQ(glIsTexture(name), GL_FALSE);
}

// Programs release their context before library shutdown deletes the font;
// the deletion then has no context to act on and must be harmless.
TEST(Font, DestructionAfterTheContextIsGoneIsHarmless) {
  auto font = std::make_unique<Font>();
  {
    woxa_test::GlWindow gl;
    ASSERT_TRUE(gl.ok());
    font->UploadTexture();
    ASSERT_TRUE(font->uploaded());
  }
  font.reset();
  EXPECT_EQ(Font::Instance(), nullptr);
}

// Draws one glyph between glBegin(GL_QUADS) and glEnd under feedback and
// returns its quads.
std::vector<woxa_test::Quad> GlyphQuads(const woxa_test::GlWindow& gl, const Font& font, int code, int x, int y,
                                        int scale) {
  woxa_test::Feedback feedback;
  feedback.Begin();
  glBegin(GL_QUADS);
  font.DrawGlyph(code, x, y, scale);
  glEnd();
  std::vector<woxa_test::Quad> quads;
  EXPECT_TRUE(feedback.End());
  EXPECT_TRUE(woxa_test::QuadsFromFeedback(feedback.polygons(), gl.height(), &quads));
  return quads;
}

TEST(Font, GlyphOfAIsACellSizedQuadSamplingItsCell) {
  woxa_test::GlWindow gl(128, 128);
  ASSERT_TRUE(gl.ok());
  gl.UsePixelProjection();
  Font font;
  const auto quads = GlyphQuads(gl, font, 'A', 10, 20, 1);
  ASSERT_EQ(quads.size(), 1u);
  // Top-left, bottom-left, bottom-right, top-right.
  const float kExpected[4][4] = {{10, 20, 6 / 256.0f, 102 / 128.0f},
                                 {10, 33, 6 / 256.0f, 89 / 128.0f},
                                 {16, 33, 12 / 256.0f, 89 / 128.0f},
                                 {16, 20, 12 / 256.0f, 102 / 128.0f}};
  for (int i = 0; i < 4; ++i) {
    const auto& c = quads[0].corner[i];
    EXPECT_FLOAT_EQ(c.x, kExpected[i][0]) << "corner " << i;
    EXPECT_FLOAT_EQ(c.y, kExpected[i][1]) << "corner " << i;
    EXPECT_FLOAT_EQ(c.s, kExpected[i][2]) << "corner " << i;
    EXPECT_FLOAT_EQ(c.t, kExpected[i][3]) << "corner " << i;
  }
}

TEST(Font, ScaleMagnifiesTheQuadButNotTheCellItSamples) {
  woxa_test::GlWindow gl(128, 128);
  ASSERT_TRUE(gl.ok());
  gl.UsePixelProjection();
  Font font;
  const auto quads = GlyphQuads(gl, font, 'A', 10, 20, 2);
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FLOAT_EQ(quads[0].width(), 12);
  EXPECT_FLOAT_EQ(quads[0].height(), 26);
  EXPECT_FLOAT_EQ(quads[0].corner[2].s, 12 / 256.0f);
  EXPECT_FLOAT_EQ(quads[0].corner[2].t, 89 / 128.0f);
}

// Bytes 128 to 255 arrive as negative codes.
TEST(Font, OnlyCodes32To127EmitAQuad) {
  woxa_test::GlWindow gl(128, 128);
  ASSERT_TRUE(gl.ok());
  gl.UsePixelProjection();
  Font font;
  struct Case {
    int code;
    bool drawn;
  };
  const Case kCases[] = {{0, false},  {9, false},  {10, false},   {31, false},  {32, true},    {33, true},
                         {126, true}, {127, true}, {128, false},  {-1, false},  {-128, false}, {255, false}};
  for (const auto& c : kCases) {
    EXPECT_EQ(GlyphQuads(gl, font, c.code, 4, 4, 1).size(), c.drawn ? 1u : 0u) << "code " << c.code;
  }
}

TEST(Font, Code127SamplesTheLastCellOfGridRowThree) {
  woxa_test::GlWindow gl(128, 128);
  ASSERT_TRUE(gl.ok());
  gl.UsePixelProjection();
  Font font;
  const auto quads = GlyphQuads(gl, font, 127, 0, 0, 1);
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FLOAT_EQ(quads[0].corner[0].s, 186 / 256.0f);
  EXPECT_FLOAT_EQ(quads[0].corner[0].t, 89 / 128.0f);
  EXPECT_FLOAT_EQ(quads[0].corner[2].s, 192 / 256.0f);
  EXPECT_FLOAT_EQ(quads[0].corner[2].t, 76 / 128.0f);
}

}  // namespace
}  // namespace woxa
