#include "woxa/framework/shapes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/gl_window.h"

namespace woxa {
namespace {

// Captures the vertices and normals the cube emits, in object coordinates,
// through feedback mode with an identity transform of one unit per window
// pixel around a centred origin.
TEST(Shapes, SolidCubeEmitsSixQuadsWithTheirNormalsAndCorners) {
  woxa_test::GlWindow gl(128, 128);
  ASSERT_TRUE(gl.ok());
  // Window coordinates = object x, y + 64; z maps -64..64 to depth 0..1.
  glViewport(0, 0, 128, 128);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-64, 64, -64, 64, -64, 64);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_CULL_FACE);
  // Lighting turns each face's normal into its colour, so feedback shows it:
  // a white directional light along +x, +y, +z channels would mix, so use
  // the normal as colour through GL_COLOR_MATERIAL-free colour of a light
  // per axis.
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  GLfloat ambient[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  GLfloat direction[4] = {-1, 0, 0, 0};  // light from -x: only the -x face is lit
  glLightfv(GL_LIGHT0, GL_POSITION, direction);
  GLfloat white[4] = {1, 1, 1, 1};
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);

  Shapes shapes;
  woxa_test::Feedback feedback;
  feedback.Begin();
  shapes.DrawSolidCube(30.0f);
  ASSERT_TRUE(feedback.End());

  const auto& quads = feedback.polygons();
  // Feedback splits each quad into two triangles.
  ASSERT_EQ(quads.size(), 12u);
  for (const auto& p : quads) {
    for (const auto& v : p.vertices) {
      EXPECT_TRUE(std::fabs(std::fabs(v.x - 64.0f) - 15.0f) < 0.01f) << v.x;
      EXPECT_TRUE(std::fabs(std::fabs(v.y - 64.0f) - 15.0f) < 0.01f) << v.y;
    }
  }
  // The first face is the -x face, with normal (-1, 0, 0): fully lit, and
  // corners (-15,-15,-15), (-15,-15,15), (-15,15,15), (-15,15,-15).
  const auto& first = quads[0].vertices;
  ASSERT_EQ(first.size(), 3u);
  EXPECT_NEAR(first[0].x, 64 - 15, 0.01);
  EXPECT_NEAR(first[0].y, 64 - 15, 0.01);
  EXPECT_NEAR(first[1].y, 64 - 15, 0.01);
  EXPECT_NEAR(first[2].y, 64 + 15, 0.01);
  EXPECT_NEAR(first[0].r, 0.8f, 0.01f);  // the default material diffuse, 0.8
  // Every other face's normal points away from the light: unlit.
  for (size_t i = 2; i < quads.size(); ++i) EXPECT_LT(quads[i].vertices[0].r, 0.01f) << i;
  glDisable(GL_LIGHTING);
}

}  // namespace
}  // namespace woxa
