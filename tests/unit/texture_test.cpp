#include "woxa/image/texture.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/gl_window.h"
#include "woxa/image/tga_image.h"

namespace {

using woxa::Texture;
using woxa::TgaImage;

TgaImage MakeImage(int width, int height, const std::vector<unsigned char>& pixels) {
  TgaImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(pixels.begin(), pixels.end());
  return image;
}

GLint Level0(GLenum parameter) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
  return value;
}

GLint Parameter(GLenum parameter) {
  GLint value = -1;
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

std::vector<unsigned char> ReadBack(const TgaImage& image) {
  std::vector<unsigned char> out(image.pixels.size() + 64, 0xCD);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
  out.resize(image.pixels.size());
  return out;
}

// What a 4-bit channel gives back for an 8-bit value.
unsigned char Through4Bits(unsigned char v) { return static_cast<unsigned char>((v * 15 + 127) / 255 * 17); }

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window_.ok()) << "no GL context"; }
  woxa_test::GlWindow window_;
};

TEST_F(TextureTest, LinearUploadIsAnRgba4TextureLeftBoundWithLinearFilters) {
  const TgaImage image = MakeImage(2, 2, {0x00, 0x11, 0x22, 0xFF, 0x33, 0x44, 0x55, 0x66,  //
                                          0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  const GLuint name = Texture::CreateFromImage(image, true);

  EXPECT_NE(name, 0u);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(name));
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
  EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(Level0(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA4);
  EXPECT_EQ(Level0(GL_TEXTURE_WIDTH), 2);
  EXPECT_EQ(Level0(GL_TEXTURE_HEIGHT), 2);
  // Every value is a multiple of 0x11, which 4 bits a channel keep exactly.
  EXPECT_EQ(ReadBack(image), std::vector<unsigned char>(image.pixels.begin(), image.pixels.end()));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, ChannelsAreStoredWithFourBits) {
  std::vector<unsigned char> pixels;
  for (int v = 0; v < 256; v += 5) pixels.push_back(static_cast<unsigned char>(v));
  pixels.resize(64, 0x12);
  const TgaImage image = MakeImage(4, 4, pixels);

  Texture::CreateFromImage(image, true);

  EXPECT_EQ(Level0(GL_TEXTURE_RED_SIZE), 4);
  EXPECT_EQ(Level0(GL_TEXTURE_ALPHA_SIZE), 4);
  const std::vector<unsigned char> back = ReadBack(image);
  for (std::size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(back[i], Through4Bits(pixels[i])) << i;
}

TEST_F(TextureTest, WithoutLinearNoFilterIsSet) {
  const TgaImage image = MakeImage(1, 1, {0xFF, 0xFF, 0xFF, 0xFF});

  Texture::CreateFromImage(image, false);

  EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);  // GL's defaults
  EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_LINEAR);
}

// Rows of an odd width are not a multiple of a wider unpack alignment: the
// upload must not read padding between them.
TEST_F(TextureTest, AnOddWidthUploadsItsRowsPackedWhateverTheAlignmentWas) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < 3 * 3 * 4; ++i) pixels.push_back(static_cast<unsigned char>(0x11 * (i % 16)));
  const TgaImage image = MakeImage(3, 3, pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);

  Texture::CreateFromImage(image, false);

  EXPECT_EQ(ReadBack(image), pixels);
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
}

TEST_F(TextureTest, TheFirstStoredRowIsTheBottomOfAQuad) {
  const unsigned char red = 0xFF, none = 0x00;
  const TgaImage image = MakeImage(1, 2, {red, none, none, 0xFF, none, none, red, 0xFF});  // red row, then blue
  window_.UsePixelProjection();
  Texture::CreateFromImage(image, false);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glEnable(GL_TEXTURE_2D);
  glColor4ub(255, 255, 255, 255);

  glBegin(GL_QUADS);  // t = 0 along the bottom edge
  glTexCoord2f(0, 1), glVertex2f(0, 0);
  glTexCoord2f(0, 0), glVertex2f(0, 64);
  glTexCoord2f(1, 0), glVertex2f(64, 64);
  glTexCoord2f(1, 1), glVertex2f(64, 0);
  glEnd();

  EXPECT_EQ(window_.ReadPixel(32, 8), 0x0000FFFFu);   // top: the last stored row
  EXPECT_EQ(window_.ReadPixel(32, 56), 0xFF0000FFu);  // bottom: the first
}

TEST_F(TextureTest, TwoUploadsOfOneImageAreTwoTexturesAndDeleteFreesOne) {
  const TgaImage image = MakeImage(1, 1, {1, 2, 3, 4});

  const GLuint first = Texture::CreateFromImage(image, true);
  const GLuint second = Texture::CreateFromImage(image, true);
  ASSERT_NE(first, second);
  Texture::Delete(first);

  EXPECT_FALSE(glIsTexture(first));
  EXPECT_TRUE(glIsTexture(second));
}

TEST_F(TextureTest, AnEmptyImageMakesAnEmptyTexture) {
  for (const TgaImage& image : {MakeImage(0, 0, {}), MakeImage(0, 3, {}), MakeImage(3, 0, {})}) {
    SCOPED_TRACE(testing::Message() << image.width << " x " << image.height);
    const GLuint name = Texture::CreateFromImage(image, true);
    EXPECT_NE(name, 0u);
    EXPECT_EQ(Level0(GL_TEXTURE_WIDTH), image.width);
    EXPECT_EQ(Level0(GL_TEXTURE_HEIGHT), image.height);
  }
}

}  // namespace
