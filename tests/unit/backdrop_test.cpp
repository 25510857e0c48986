// The backdrop's quad (corners, order, texture coordinates, colour), image
// tiling read back from the pixels, and the GL state every overlay drawing
// leaves behind.
#include "woxa/forms/backdrop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/feedback_quads.h"
#include "tests/support/gl_window.h"
#include "tests/support/tga_files.h"
#include "woxa/forms/button_view.h"
#include "woxa/forms/overlay_bracket.h"
#include "woxa/framework/library.h"
#include "woxa/image/image_cache.h"
#include "woxa/image/texture.h"

namespace woxa {
namespace {

constexpr unsigned kRed = 0xFF0000FFu;
constexpr unsigned kYellow = 0xFFFF00FFu;
constexpr unsigned kGreen = 0x00FF00FFu;

// 8 x 8 pixels: the first four stored rows red in their first four columns
// and yellow in the last four, the other rows green. TGA stores blue, green,
// red, alpha.
woxa_test::Bytes PatternTga() {
  woxa_test::Bytes bgra;
  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 8; ++col) {
      if (row >= 4) {
        bgra.insert(bgra.end(), {0, 255, 0, 255});
      } else if (col < 4) {
        bgra.insert(bgra.end(), {0, 0, 255, 255});
      } else {
        bgra.insert(bgra.end(), {0, 255, 255, 255});
      }
    }
  }
  return woxa_test::MakeTga(2, 8, 8, 32, 8, bgra);
}

// Twice the signed area of a feedback polygon in window coordinates (y up):
// positive when its vertices run counter-clockwise.
float TwiceSignedArea(const woxa_test::FeedbackPolygon& p) {
  float area = 0;
  for (std::size_t i = 0; i < p.vertices.size(); ++i) {
    const auto& a = p.vertices[i];
    const auto& b = p.vertices[(i + 1) % p.vertices.size()];
    area += a.x * b.y - b.x * a.y;
  }
  return area;
}

class BackdropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LibraryStartupAll();
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, gl.width(), gl.height());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override {
    backdrop.ReleaseImage();
    LibraryShutdown();
  }

  void LoadPattern() {
    woxa_test::WriteBytes(dir.File("pattern.tga"), PatternTga());
    backdrop.image = ImageCache::Instance()->Acquire(dir.File("pattern.tga"), kFormatByExtension);
    ASSERT_TRUE(backdrop.image);
    backdrop.texture = Texture::CreateFromImage(*backdrop.image, false);
  }

  struct Drawn {
    std::vector<woxa_test::FeedbackPolygon> polygons;
    std::vector<woxa_test::Quad> quads;
  };
  Drawn Draw() {
    woxa_test::Feedback feedback;
    feedback.Begin();
    backdrop.Draw(static_cast<std::uint32_t>(gl.width()), static_cast<std::uint32_t>(gl.height()));
    Drawn drawn;
    EXPECT_TRUE(feedback.End());
    drawn.polygons = feedback.polygons();
    EXPECT_TRUE(woxa_test::QuadsFromFeedback(drawn.polygons, gl.height(), &drawn.quads));
    return drawn;
  }

  woxa_test::GlWindow gl{96, 80};
  woxa_test::ScratchDir dir;
  Rect rect{10, 20, 30, 40};
  Backdrop backdrop{rect};
};

TEST_F(BackdropTest, WithoutImageAFlatQuadInItsColourWithTexturingOff) {
  glEnable(GL_TEXTURE_2D);  // the backdrop must turn it off itself
  backdrop.color = Color{0, 0, 255, 255};
  const Drawn drawn = Draw();
  ASSERT_EQ(drawn.quads.size(), 1u);
  const woxa_test::Quad& q = drawn.quads[0];
  EXPECT_NEAR(q.left(), 10, 1e-3);
  EXPECT_NEAR(q.top(), 20, 1e-3);
  EXPECT_NEAR(q.width(), 30, 1e-3);
  EXPECT_NEAR(q.height(), 40, 1e-3);
  for (const auto& c : q.corner) {
    EXPECT_EQ(c.r, 0.0f);
    EXPECT_EQ(c.b, 1.0f);
  }

  backdrop.Draw(96, 80);
  EXPECT_EQ(gl.ReadPixel(25, 40), 0x0000FFFFu);
  EXPECT_EQ(gl.ReadPixel(9, 40), 0x000000FFu);
  EXPECT_EQ(gl.ReadPixel(25, 60), 0x000000FFu);  // the bottom edge is excluded
}

TEST_F(BackdropTest, CornersRunTopLeftBottomLeftBottomRightTopRight) {
  // In window coordinates (y up) that order is counter-clockwise: every
  // polygon feedback returns, whole quad or triangles, keeps it.
  const Drawn drawn = Draw();
  ASSERT_FALSE(drawn.polygons.empty());
  for (const auto& p : drawn.polygons) EXPECT_GT(TwiceSignedArea(p), 0.0f);
}

TEST_F(BackdropTest, TextureCoordinatesSitAtTheirCorners) {
  LoadPattern();
  struct Case {
    float left_s, right_s, top_t, bottom_t;
  };
  for (const Case& c : {Case{0, 1, 1, 0}, Case{0, 5, 0, 4}, Case{0.25f, 0.75f, 2, -1}}) {
    backdrop.left_s = c.left_s, backdrop.right_s = c.right_s;
    backdrop.top_t = c.top_t, backdrop.bottom_t = c.bottom_t;
    const Drawn drawn = Draw();
    ASSERT_EQ(drawn.quads.size(), 1u);
    const auto& k = drawn.quads[0].corner;  // TL, BL, BR, TR
    EXPECT_EQ(k[0].s, c.left_s);
    EXPECT_EQ(k[0].t, c.top_t);
    EXPECT_EQ(k[1].s, c.left_s);
    EXPECT_EQ(k[1].t, c.bottom_t);
    EXPECT_EQ(k[2].s, c.right_s);
    EXPECT_EQ(k[2].t, c.bottom_t);
    EXPECT_EQ(k[3].s, c.right_s);
    EXPECT_EQ(k[3].t, c.top_t);
  }
}

TEST_F(BackdropTest, DefaultCoordinatesShowTheLastStoredRowAtTheTop) {
  LoadPattern();
  rect = Rect{0, 0, 64, 64};
  backdrop.Draw(96, 80);
  EXPECT_EQ(gl.ReadPixel(8, 8), kGreen);
  EXPECT_EQ(gl.ReadPixel(8, 56), kRed);
  EXPECT_EQ(gl.ReadPixel(56, 56), kYellow);
}

TEST_F(BackdropTest, CoordinatesBeyondOneTileTheImage) {
  // Right s 5 and bottom t 4 over 80 x 64 pixels: tiles of 16 x 16, five
  // across and four down, each with its first stored row at the top.
  LoadPattern();
  rect = Rect{0, 0, 80, 64};
  backdrop.left_s = 0, backdrop.right_s = 5, backdrop.top_t = 0, backdrop.bottom_t = 4;
  backdrop.Draw(96, 80);
  for (int across = 0; across < 5; ++across) {
    for (int down = 0; down < 4; ++down) {
      const int x = 16 * across, y = 16 * down;
      EXPECT_EQ(gl.ReadPixel(x + 3, y + 3), kRed) << across << "," << down;
      EXPECT_EQ(gl.ReadPixel(x + 12, y + 3), kYellow) << across << "," << down;
      EXPECT_EQ(gl.ReadPixel(x + 3, y + 12), kGreen) << across << "," << down;
    }
  }
  EXPECT_EQ(gl.ReadPixel(85, 30), 0x000000FFu);
}

TEST_F(BackdropTest, TheColourModulatesTheImage) {
  LoadPattern();
  rect = Rect{0, 0, 64, 64};
  backdrop.color = Color{255, 0, 255, 255};
  backdrop.Draw(96, 80);
  EXPECT_EQ(gl.ReadPixel(56, 56), kRed);  // yellow times magenta
  EXPECT_EQ(gl.ReadPixel(8, 8), 0x000000FFu);  // green times magenta
}

TEST_F(BackdropTest, TheImageAndItsTextureGoWithTheBackdrop) {
  Rect r{0, 0, 8, 8};
  auto owner = std::make_unique<Backdrop>(r);
  woxa_test::WriteBytes(dir.File("pattern.tga"), PatternTga());
  owner->image = ImageCache::Instance()->Acquire(dir.File("pattern.tga"), kFormatByExtension);
  ASSERT_TRUE(owner->image);
  owner->texture = Texture::CreateFromImage(*owner->image, false);
  const GLuint texture = owner->texture;
  const TgaImage* image = owner->image.Get();
  ASSERT_TRUE(glIsTexture(texture));
  owner.reset();
  EXPECT_FALSE(glIsTexture(texture));
  EXPECT_EQ(image->reference_count, 0);
}

// Every overlay drawing, whatever it draws, leaves the matrices, their
// stacks, the matrix mode and the enable and texture attributes as it found
// them; only the blend function may change.
struct GlState {
  GLfloat projection[16];
  GLfloat modelview[16];
  GLint matrix_mode, projection_depth, modelview_depth, attrib_depth;
  GLboolean lighting, depth_test, cull_face, texture_2d, blend;
  GLint bound_texture;
  GLfloat env_mode, min_filter;

  static GlState Read() {
    GlState s{};
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
    glGetIntegerv(GL_MATRIX_MODE, &s.matrix_mode);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projection_depth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelview_depth);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attrib_depth);
    s.lighting = glIsEnabled(GL_LIGHTING);
    s.depth_test = glIsEnabled(GL_DEPTH_TEST);
    s.cull_face = glIsEnabled(GL_CULL_FACE);
    s.texture_2d = glIsEnabled(GL_TEXTURE_2D);
    s.blend = glIsEnabled(GL_BLEND);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.bound_texture);
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.env_mode);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s.min_filter);
    return s;
  }
};

void ExpectSameState(const GlState& a, const GlState& b) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(a.projection[i], b.projection[i]) << i;
    EXPECT_EQ(a.modelview[i], b.modelview[i]) << i;
  }
  EXPECT_EQ(a.matrix_mode, b.matrix_mode);
  EXPECT_EQ(a.projection_depth, b.projection_depth);
  EXPECT_EQ(a.modelview_depth, b.modelview_depth);
  EXPECT_EQ(a.attrib_depth, b.attrib_depth);
  EXPECT_EQ(a.lighting, b.lighting);
  EXPECT_EQ(a.depth_test, b.depth_test);
  EXPECT_EQ(a.cull_face, b.cull_face);
  EXPECT_EQ(a.texture_2d, b.texture_2d);
  EXPECT_EQ(a.blend, b.blend);
  EXPECT_EQ(a.bound_texture, b.bound_texture);
  EXPECT_EQ(a.env_mode, b.env_mode);
  EXPECT_EQ(a.min_filter, b.min_filter);
}

TEST_F(BackdropTest, OverlayDrawingRestoresMatricesAndAttributesButNotTheBlendFunction) {
  LoadPattern();
  Rect caption_rect{5, 5, 60, 20};
  ButtonView view{caption_rect};
  view.backdrop_shown.Set(0);
  view.caption.text = "Caption";

  const std::vector<std::pair<std::string, std::function<void()>>> drawings = {
      {"untextured backdrop", [&] {
         Backdrop plain{rect};
         plain.Draw(96, 80);
       }},
      {"textured backdrop", [&] { backdrop.Draw(96, 80); }},
      {"nested brackets", [&] {
         OverlayBracket::Open(96, 80);
         backdrop.Draw(96, 80);
         OverlayBracket::Close();
       }},
      {"button view with caption", [&] { view.Draw(96, 80); }},
  };
  // A 3D program's state: a perspective projection, a moved camera, all
  // three switches the bracket turns off on, another texture bound and
  // texturing on with its own environment.
  GLuint other = 0;
  glGenTextures(1, &other);
  glBindTexture(GL_TEXTURE_2D, other);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  for (bool texturing : {true, false}) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, -3);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    if (texturing) glEnable(GL_TEXTURE_2D); else glDisable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glBindTexture(GL_TEXTURE_2D, other);
    glBlendFunc(GL_ONE, GL_ZERO);
    for (const auto& [name, draw] : drawings) {
      SCOPED_TRACE(name + (texturing ? ", texturing on" : ", texturing off"));
      const GlState before = GlState::Read();
      draw();
      ExpectSameState(before, GlState::Read());
    }
  }
  GLint src = 0, dst = 0;
  glGetIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_BLEND_DST, &dst);
  EXPECT_EQ(src, GL_SRC_ALPHA);  // set by the caption drawing and kept
  EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
  glDeleteTextures(1, &other);
}

}  // namespace
}  // namespace woxa
