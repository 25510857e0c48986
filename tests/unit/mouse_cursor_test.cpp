#include "woxa/cursor/mouse_cursor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/gl_window.h"
#include "tests/support/tga_files.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/image/image_cache.h"

namespace woxa {
namespace {

constexpr unsigned kRed = 0xFF0000FFu;
constexpr unsigned kBlack = 0x000000FFu;
constexpr unsigned kWhite = 0xFFFFFFFFu;

class MouseCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LibraryStartupAll();
    ASSERT_TRUE(gl.ok());
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override {
    cursor.Release();
    cursor.image.Release();
    LibraryShutdown();
  }
  // The quad the cursor emits, as (left, top, right, bottom) in window
  // pixels, y from the top.
  std::vector<float> DrawnQuad() {
    woxa_test::Feedback feedback;
    feedback.Begin();
    cursor.Draw(64, 64);
    EXPECT_TRUE(feedback.End());
    float l = 1e9f, t = 1e9f, r = -1e9f, b = -1e9f;
    for (const auto& p : feedback.polygons()) {
      for (const auto& v : p.vertices) {
        l = std::min(l, v.x), r = std::max(r, v.x);
        t = std::min(t, 64 - v.y), b = std::max(b, 64 - v.y);
      }
    }
    return {l, t, r, b};
  }
  ImageHandle Image32(const woxa_test::ScratchDir& dir) {
    woxa_test::Bytes pixels;
    for (int i = 0; i < 32 * 32; ++i) pixels.insert(pixels.end(), {0, 255, 0, 255});  // green, opaque
    woxa_test::WriteBytes(dir.File("big.tga"), woxa_test::MakeTga(2, 32, 32, 32, 8, pixels));
    return ImageCache::Instance()->Acquire(dir.File("big.tga"), kFormatByExtension);
  }

  woxa_test::GlWindow gl{64, 64};
  MouseCursor cursor;
};

TEST_F(MouseCursorTest, ArrowIsDrawnAtTheMousePositionWithTransparentTexelsDiscarded) {
  cursor.x = 20;
  cursor.y = 10;
  cursor.CreateDefaultTexture();
  EXPECT_EQ(DrawnQuad(), (std::vector<float>{20, 10, 36, 26}));
  cursor.Draw(64, 64);
  EXPECT_EQ(gl.ReadPixel(20, 10), kBlack);  // the tip
  EXPECT_EQ(gl.ReadPixel(21, 11), kWhite);  // row 2: X o X X X
  EXPECT_EQ(gl.ReadPixel(21, 10), kBlack);
  EXPECT_EQ(gl.ReadPixel(30, 10), kRed);    // transparent: the background stays
  EXPECT_EQ(gl.ReadPixel(20, 25), kRed);    // the bottom row's left end is transparent
}

TEST_F(MouseCursorTest, DrawingRestoresMatricesAndAttributes) {
  cursor.CreateDefaultTexture();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(3, 4, 5);
  glEnable(GL_DEPTH_TEST);
  cursor.Draw(64, 64);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 3.0f);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(MouseCursorTest, AnImageSetsTheQuadSizeAndSetDefaultGoesBackTo16) {
  woxa_test::ScratchDir dir;
  cursor.CreateDefaultTexture();
  cursor.SetImage(Image32(dir));
  ASSERT_TRUE(cursor.image);
  EXPECT_EQ(DrawnQuad(), (std::vector<float>{0, 0, 32, 32}));
  cursor.Draw(64, 64);
  EXPECT_EQ(gl.ReadPixel(31, 31), 0x00FF00FFu);
  GLint format = 0;
  glBindTexture(GL_TEXTURE_2D, cursor.texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  EXPECT_EQ(format, GL_RGBA4);

  cursor.SetDefault();
  EXPECT_FALSE(cursor.image);
  EXPECT_EQ(DrawnQuad(), (std::vector<float>{0, 0, 16, 16}));
}

TEST_F(MouseCursorTest, ANullImageKeepsTheTextureAndFallsBackTo16) {
  cursor.CreateDefaultTexture();
  std::uint32_t texture = cursor.texture;
  cursor.SetImage(ImageHandle());
  EXPECT_EQ(cursor.texture, texture);
  EXPECT_EQ(DrawnQuad(), (std::vector<float>{0, 0, 16, 16}));
}

TEST_F(MouseCursorTest, ReleaseDeletesTheTextureAndResetsButKeepsTheImage) {
  woxa_test::ScratchDir dir;
  cursor.CreateDefaultTexture();
  cursor.SetImage(Image32(dir));
  cursor.x = 5;
  std::uint32_t texture = cursor.texture;
  cursor.Release();
  EXPECT_FALSE(glIsTexture(texture));
  EXPECT_FALSE(cursor.texture_created);
  EXPECT_EQ(cursor.x, 0);
  EXPECT_TRUE(cursor.image);
}

// The display counter of ShowCursor after a call sequence, relative to
// where it started: read by raising and lowering it once.
int DisplayCount() {
  int count = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  return count;
}

TEST(MouseSwitches, ModesDriveTheFlagsAndKeepTheDisplayCounterBalanced) {
  LibraryStartupAll();
  {
    MainWindow window;
    const int start = DisplayCount();
    struct Step {
      bool show;  // ShowMouse, else UseCustomCursor
      int mode;
      int visible, custom, counter;  // afterwards; counter relative to start
    };
    const Step steps[] = {
        {true, 1, 1, 0, 0},    // already visible: no call
        {true, 3, 1, 0, 0},    // ignored
        {false, -1, 1, 0, 0},  // ignored
        {false, 1, 1, 1, -1},  // custom cursor hides the system pointer
        {true, 0, 0, 1, -2},   // both hidden
        {true, 2, 1, 1, -1},   // showing again brings the custom cursor back
        {false, 2, 1, 0, 0},   // toggled off: the system pointer shows
        {false, 0, 1, 0, 0},   // already off
        {true, 2, 0, 0, -1},
        {true, 1, 1, 0, 0},
    };
    for (const Step& s : steps) {
      if (s.show) {
        window.ShowMouse(s.mode);
      } else {
        window.UseCustomCursor(s.mode);
      }
      SCOPED_TRACE(std::string(s.show ? "ShowMouse(" : "UseCustomCursor(") + std::to_string(s.mode) + ")");
      EXPECT_EQ(window.state.mouse_flags[kMouseVisible], s.visible);
      EXPECT_EQ(window.state.mouse_flags[kMouseCustomCursor], s.custom);
      EXPECT_EQ(DisplayCount() - start, s.counter);
    }
  }
  LibraryShutdown();
}

}  // namespace
}  // namespace woxa
