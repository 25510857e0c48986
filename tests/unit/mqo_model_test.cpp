// Drawing of MQO models in a real GL context: what reaches GL (feedback and
// pixels), how triangles are batched, and the state left behind.
#include "woxa/model/mqo_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/gl_call_count.h"
#include "tests/support/gl_window.h"
#include "tests/support/tga_files.h"
#include "woxa/image/image_cache.h"
#include "woxa/image/texture.h"
#include "woxa/model/mqo_reader.h"

namespace {

using woxa::MqoModel;
using woxa_test::Feedback;

constexpr int kSize = 64;

// Four triangles in the four quarters of a 64 x 64 window in pixel
// coordinates: green and (by an unknown material) white untextured ones on
// top, red- and blue-textured ones below.
const char kModel[] =
    "Material 3 {\n"
    "\t\"green\" col(0 1 0 1)\n"
    "\t\"red\" col(1 1 1 1) tex(\"red.tga\")\n"
    "\t\"blue\" col(0.5 1 1 1) tex(\"blue.tga\")\n"
    "}\n"
    "Object \"quarters\" {\n"
    "\tvertex 12 {\n"
    "\t\t2 2 0\n\t\t30 2 0\n\t\t2 30 0\n"
    "\t\t34 2 0\n\t\t62 2 0\n\t\t34 30 0\n"
    "\t\t2 34 0\n\t\t30 34 0\n\t\t2 62 0\n"
    "\t\t34 34 0\n\t\t62 34 0\n\t\t34 62 0\n"
    "\t}\n"
    "\tface 6 {\n"
    "\t\t3 V(6 7 8) M(1) UV(0 0 1 0 0 1)\n"
    "\t\t3 V(0 1 2) M(0)\n"
    "\t\t3 V(9 10 11) M(2) UV(0.25 0.5 1 0 0 1)\n"
    "\t\t3 V(3 4 5) M(7)\n"
    "\t\t3 V(0 1 12) M(0)\n"   // a corner past the vertices
    "\t\t3 V(-1 10 11) M(1)\n"  // and a negative one
    "\t}\n"
    "}\n"
    "Object \"bare\" {\n"
    "}\n";

class MqoModelDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.ok()) << "no GL context";
    woxa_test::WriteBytes(dir_.File("red.tga"), woxa_test::MakeTga(2, 1, 1, 24, 0, {0, 0, 255}));
    woxa_test::WriteBytes(dir_.File("blue.tga"), woxa_test::MakeTga(2, 1, 1, 24, 0, {255, 0, 0}));
    model_ = std::make_unique<MqoModel>(dir_.File("quarters.mqo"), woxa::kModelTypeMqo);
    woxa::MqoReader::Read(*model_, kModel, sizeof kModel - 1);
    ASSERT_EQ(model_->objects.size(), 2u);
    ASSERT_EQ(model_->objects[0].textured_faces.size(), 3u);
    ASSERT_EQ(model_->objects[0].untextured_faces.size(), 3u);
    window_.UsePixelProjection();
  }

  GLuint TextureOf(int material) const { return model_->materials[static_cast<std::size_t>(material)].texture; }

  woxa_test::GlWindow window_{kSize, kSize};
  woxa_test::ScratchDir dir_;
  woxa::ImageCache images_;
  std::unique_ptr<MqoModel> model_;
};

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

TEST_F(MqoModelDrawTest, UntexturedTrianglesFirstThenTexturedOnesEachWithItsColourAndCoordinates) {
  Feedback feedback;
  feedback.Begin();
  model_->DrawObject(0);
  ASSERT_TRUE(feedback.End());

  const auto& polygons = feedback.polygons();
  ASSERT_EQ(polygons.size(), 4u);  // the two with corners outside the vertices are skipped
  const struct {
    float x0, y0;  // the first corner, in pixels from the top
    float r, g, b;
    float s0, t0;
  } expected[] = {
      {2, 2, 0, 1, 0, 0, 0},        // green
      {34, 2, 1, 1, 1, 0, 0},       // material 7 is unknown: the extra white one
      {2, 34, 1, 1, 1, 0, 1},       // red texture, (u, 1 - v)
      {34, 34, 0.5f, 1, 1, 0.25f, 0.5f},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    ASSERT_EQ(polygons[i].vertices.size(), 3u) << i;
    const auto& v = polygons[i].vertices[0];
    EXPECT_FLOAT_EQ(v.x, expected[i].x0) << i;
    EXPECT_FLOAT_EQ(kSize - v.y, expected[i].y0) << i;
    EXPECT_FLOAT_EQ(v.r, expected[i].r) << i;
    EXPECT_FLOAT_EQ(v.g, expected[i].g) << i;
    EXPECT_FLOAT_EQ(v.b, expected[i].b) << i;
    if (i >= 2) {
      EXPECT_FLOAT_EQ(v.s, expected[i].s0) << i;
      EXPECT_FLOAT_EQ(v.t, expected[i].t0) << i;
    }
  }
  // Corners in drawing order: the file's V(6 7 8) became (6, 8, 7).
  EXPECT_FLOAT_EQ(polygons[2].vertices[1].x, 2);
  EXPECT_FLOAT_EQ(kSize - polygons[2].vertices[1].y, 62);
  EXPECT_FLOAT_EQ(polygons[2].vertices[1].t, 0);
}

TEST_F(MqoModelDrawTest, UntexturedTrianglesDrawWithTexturingOffAndTexturedOnesWithTheirOwnTexture) {
  // Whatever texture the program left bound and enabled must not reach the
  // untextured triangles.
  const woxa::ImageHandle leftover = images_.Acquire(dir_.File("red.tga"), woxa::kFormatByExtension);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, woxa::Texture::CreateFromImage(*leftover, true));
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);

  model_->DrawObject(0);
  glFinish();

  const unsigned rgb = 0xFFFFFF00u;
  EXPECT_EQ(window_.ReadPixel(8, 8) & rgb, 0x00FF0000u);    // green
  EXPECT_EQ(window_.ReadPixel(40, 8) & rgb, 0xFFFFFF00u);   // white
  EXPECT_EQ(window_.ReadPixel(8, 40) & rgb, 0xFF000000u);   // red texel times white
  EXPECT_EQ(window_.ReadPixel(40, 40) & rgb, 0x0000FF00u);  // blue texel times (0.5, 1, 1)
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MqoModelDrawTest, LeavesTexturingOnTheLastTextureBoundAndTheLastColourCurrent) {
  glColor4d(0.25, 0.25, 0.25, 0.25);

  model_->DrawObject(0);

  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureOf(2)));
  GLdouble colour[4] = {0, 0, 0, 0};
  glGetDoublev(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 0.5);
  EXPECT_EQ(colour[1], 1.0);
}

TEST_F(MqoModelDrawTest, OneBatchForAllUntexturedTrianglesAndOneForEachTexturedOne) {
  if (!woxa_test::GlCallsCounted()) GTEST_SKIP() << "GL calls are counted on Linux only";
  const woxa_test::GlCallCount before = woxa_test::GlCalls();

  model_->DrawObject(0);

  const woxa_test::GlCallCount after = woxa_test::GlCalls();
  EXPECT_EQ(after.begin - before.begin, 1 + 2);  // the skipped textured triangle makes no pair
  EXPECT_EQ(after.end - before.end, 1 + 2);
}

TEST_F(MqoModelDrawTest, AnObjectWithoutFacesDrawsNothingButLeavesTexturingOn) {
  glDisable(GL_TEXTURE_2D);
  const woxa_test::GlCallCount before = woxa_test::GlCalls();
  Feedback feedback;
  feedback.Begin();

  model_->DrawObject(1);

  ASSERT_TRUE(feedback.End());
  EXPECT_TRUE(feedback.polygons().empty());
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(woxa_test::GlCalls().begin - before.begin, woxa_test::GlCallsCounted() ? 1 : 0);
}

TEST_F(MqoModelDrawTest, AnObjectIndexPastTheObjectsDrawsNothing) {
  glDisable(GL_TEXTURE_2D);
  const woxa_test::GlCallCount before = woxa_test::GlCalls();

  model_->DrawObject(2);

  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(woxa_test::GlCalls().begin, before.begin);
}

TEST_F(MqoModelDrawTest, DrawDrawsEveryObjectInOrder) {
  Feedback feedback;
  feedback.Begin();
  model_->Draw();
  ASSERT_TRUE(feedback.End());
  EXPECT_EQ(feedback.polygons().size(), 4u);
}

// A program may change a model after loading; drawing still reads nothing
// outside its arrays.
TEST_F(MqoModelDrawTest, MaterialsAndVerticesChangedAfterLoadingAreStillCheckedWhenDrawing) {
  woxa::MqoObject& object = model_->objects[0];
  object.untextured_faces[0].material = 1000;
  object.textured_faces[0].material = -5;
  object.normals.resize(9);  // the last three vertices, of the blue triangle, lose their normals

  Feedback feedback;
  feedback.Begin();
  model_->DrawObject(0);
  ASSERT_TRUE(feedback.End());

  ASSERT_EQ(feedback.polygons().size(), 3u);
  EXPECT_FLOAT_EQ(feedback.polygons()[0].vertices[0].r, 1.0f);  // drawn in the extra white
  EXPECT_FLOAT_EQ(feedback.polygons()[0].vertices[0].b, 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  model_->materials.clear();
  feedback.Begin();
  model_->DrawObject(0);
  ASSERT_TRUE(feedback.End());
  EXPECT_EQ(feedback.polygons().size(), 3u);
}

}  // namespace
