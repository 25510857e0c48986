// Image forms: loading (and failing to load) an image, the texture each
// form makes from a shared cached image, the plain coloured panel with and
// without blending, and the background form that follows the client size.
#include "woxa/forms/image_form.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/gl_window.h"
#include "tests/support/test_scene.h"
#include "tests/support/tga_files.h"
#include "woxa/forms/background_image_form.h"
#include "woxa/framework/library.h"
#include "woxa/image/image_cache.h"

namespace woxa {
namespace {

TEST(BackgroundImageForm, FillsTheClientAreaAndFollowsEveryResize) {
  woxa_test::TestScene scene(800, 600);
  BackgroundImageForm* background = scene.CreateBackgroundImageForm();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->rect.x, 0);
  EXPECT_EQ(background->rect.y, 0);
  EXPECT_EQ(background->rect.width, 800);
  EXPECT_EQ(background->rect.height, 600);

  scene.state.width = 1024;
  scene.state.height = 768;
  scene.RouteWindowResized(1024, 768);
  EXPECT_EQ(background->rect.x, 0);
  EXPECT_EQ(background->rect.y, 0);
  EXPECT_EQ(background->rect.width, 1024);
  EXPECT_EQ(background->rect.height, 768);
}

TEST(ImageForm, KeepsTheDefaultsOfItsTwoParts) {
  woxa_test::TestScene scene;
  ImageForm* form = scene.CreateImageForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->rect.x, 50);
  EXPECT_EQ(form->rect.height, 200);
  EXPECT_EQ(&form->rectangle, &form->rect);
  for (std::uint32_t kind = 0; kind < kEventKindCount; ++kind) EXPECT_TRUE(form->event_mask.Test(kind));
  EXPECT_FALSE(form->image);
  EXPECT_EQ(form->top_t, 1.0f);
  EXPECT_EQ(form->right_s, 1.0f);
  // Input moves nothing.
  scene.RouteWindowResized(1024, 768);
  EXPECT_EQ(form->rect.width, 250);
}

class ImageFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LibraryStartupAll();
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, 96, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
  }
  void TearDown() override {
    scene.reset();  // the forms hold image handles: gone before the cache
    LibraryShutdown();
  }

  // A 4 x 4 image of one opaque colour; TGA stores blue, green, red, alpha.
  std::string WriteImage(const std::string& name, unsigned char r, unsigned char g, unsigned char b) {
    woxa_test::Bytes bgra;
    for (int i = 0; i < 16; ++i) bgra.insert(bgra.end(), {b, g, r, 255});
    woxa_test::WriteBytes(dir.File(name), woxa_test::MakeTga(2, 4, 4, 32, 8, bgra));
    return dir.File(name);
  }
  ImageForm* MakeForm() {
    ImageForm* form = scene->CreateImageForm();
    form->SetPosition(8, 8);
    form->SetSize(32, 32);
    return form;
  }

  woxa_test::GlWindow gl{96, 64};
  woxa_test::ScratchDir dir;
  std::unique_ptr<woxa_test::TestScene> scene = std::make_unique<woxa_test::TestScene>(96, 64);
};

TEST_F(ImageFormTest, AMissingFileLeavesAPlainQuadAndALaterGoodLoadMakesATexture) {
  ImageForm* form = MakeForm();
  form->color = Color{0, 0, 255, 255};
  form->LoadImage(dir.File("missing.tga"));
  EXPECT_FALSE(form->image);
  scene->DrawForms();
  EXPECT_EQ(gl.ReadPixel(20, 20), 0x0000FFFFu);

  form->color = Color{255, 255, 255, 255};
  form->LoadImage(WriteImage("green.tga", 0, 255, 0));
  ASSERT_TRUE(form->image);
  EXPECT_TRUE(glIsTexture(form->texture));
  scene->DrawForms();
  EXPECT_EQ(gl.ReadPixel(20, 20), 0x00FF00FFu);
  EXPECT_EQ(gl.ReadPixel(50, 20), 0x000000FFu);
}

TEST_F(ImageFormTest, LoadingAgainFreesTheFirstImageAndTexture) {
  ImageForm* form = MakeForm();
  form->LoadImage(WriteImage("a.tga", 255, 0, 0));
  const GLuint first = form->texture;
  // A handle of the test's own keeps the first image cached, to count on.
  const ImageHandle watch = form->image;
  form->LoadImage(WriteImage("b.tga", 0, 255, 0));
  // GL may hand the freed name out again; a name still in use it never does.
  EXPECT_TRUE(form->texture == first || !glIsTexture(first));
  EXPECT_EQ(watch->reference_count, 1);
  scene->DrawForms();
  EXPECT_EQ(gl.ReadPixel(20, 20), 0x00FF00FFu);

  // A failed load frees the held image too.
  const GLuint second = form->texture;
  form->LoadImage(dir.File("missing.tga"));
  EXPECT_FALSE(form->image);
  EXPECT_FALSE(glIsTexture(second));
}

TEST_F(ImageFormTest, TwoFormsShareOneCachedImageWithATextureEach) {
  const std::string name = WriteImage("shared.tga", 255, 0, 0);
  ImageForm* a = MakeForm();
  ImageForm* b = MakeForm();
  a->LoadImage(name);
  b->LoadImage(name);
  ASSERT_TRUE(a->image && b->image);
  EXPECT_EQ(a->image.Get(), b->image.Get());
  EXPECT_EQ(a->image->reference_count, 2);
  EXPECT_NE(a->texture, b->texture);
  EXPECT_TRUE(glIsTexture(a->texture));
  EXPECT_TRUE(glIsTexture(b->texture));

  // The scene deletes both forms, each with its own texture.
  const GLuint ta = a->texture, tb = b->texture;
  const TgaImage* image = a->image.Get();
  scene.reset();
  EXPECT_FALSE(glIsTexture(ta));
  EXPECT_FALSE(glIsTexture(tb));
  EXPECT_EQ(image->reference_count, 0);
}

TEST_F(ImageFormTest, ATranslucentPanelBlendsOnlyWhenTheProgramEnabledBlending) {
  ImageForm* panel = MakeForm();
  panel->color = Color{255, 0, 255, 127};
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  scene->DrawForms();
  EXPECT_EQ(gl.ReadPixel(20, 20), 0xFF00FF7Fu);  // opaque magenta, blending off

  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  scene->DrawForms();
  const unsigned p = gl.ReadPixel(20, 20);
  EXPECT_NEAR(p >> 24, 127, 2);
  EXPECT_EQ((p >> 16) & 0xFF, 0u);
  EXPECT_NEAR((p >> 8) & 0xFF, 127, 2);
}

TEST_F(ImageFormTest, TheBackgroundFormDrawsOverTheWholeClientArea) {
  scene.reset();
  scene = std::make_unique<woxa_test::TestScene>(96, 64);
  BackgroundImageForm* background = scene->CreateBackgroundImageForm();
  background->LoadImage(WriteImage("back.tga", 0, 0, 255));
  scene->DrawForms();
  EXPECT_EQ(gl.ReadPixel(0, 0), 0x0000FFFFu);
  EXPECT_EQ(gl.ReadPixel(95, 63), 0x0000FFFFu);
}

}  // namespace
}  // namespace woxa
