// The model cache: loading by name, indices and failures, and every real
// MQO file of the test data loaded and drawn in a real GL context.
#include "woxa/model/model_cache.h"

#include <gtest/gtest.h>

#include "tests/support/fifo_probe.h"

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/gl_window.h"
#include "tests/support/tga_files.h"
#include "woxa/image/image_cache.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#endif

namespace {

using woxa::kModelTypeMqo;
using woxa::ModelCache;
using woxa::MqoModel;

const char kTriangle[] = "Object \"tri\" {\nvertex 3 {\n0 0 0\n1 0 0\n0 1 0\n}\nface 1 {\n3 V(0 1 2)\n}\n}\nEof\n";
const char kQuad[] = "Object \"quad\" {\nvertex 4 {\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n}\nface 1 {\n4 V(0 1 2 3)\n}\n}\n";

void WriteText(const std::string& path, const std::string& text) {
  woxa_test::WriteBytes(path, woxa_test::Bytes(text.begin(), text.end()));
}

class ModelCacheTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = dir_.File(name);
    WriteText(path, text);
    return path;
  }

  woxa_test::ScratchDir dir_;
  ModelCache cache_;
};

TEST_F(ModelCacheTest, IsTheRegisteredService) { EXPECT_EQ(ModelCache::Instance(), &cache_); }

TEST_F(ModelCacheTest, TheFirstTwoModelsGetIndicesZeroAndOne) {
  MqoModel* first = cache_.Load(Write("a.mqo", kTriangle), kModelTypeMqo);
  MqoModel* second = cache_.Load(Write("b.mqo", kQuad), kModelTypeMqo);

  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->index, 0);
  EXPECT_EQ(second->index, 1);
  EXPECT_EQ(first->file_name, dir_.File("a.mqo"));
  EXPECT_EQ(first->type, kModelTypeMqo);
  EXPECT_EQ(first->objects.at(0).name, "tri");
  EXPECT_EQ(second->objects.at(0).untextured_faces.size(), 2u);
  EXPECT_EQ(cache_.ModelCount(), 2u);
}

TEST_F(ModelCacheTest, LoadingTheSameNameAgainReturnsTheModelWithoutReadingTheFile) {
  const std::string path = Write("a.mqo", kTriangle);
  MqoModel* first = cache_.Load(path, kModelTypeMqo);
  Write("a.mqo", kQuad);  // what a second read would find

  MqoModel* again = cache_.Load(path, 7);  // the type is not looked at either

  EXPECT_EQ(again, first);
  EXPECT_EQ(again->objects.at(0).name, "tri");
  EXPECT_EQ(cache_.ModelCount(), 1u);
}

TEST_F(ModelCacheTest, AMissingFileLeavesTheCacheAsItWasAndIsTriedAgainLater) {
  const std::string path = dir_.File("later.mqo");

  EXPECT_EQ(cache_.Load(path, kModelTypeMqo), nullptr);
  EXPECT_EQ(cache_.ModelCount(), 0u);
  EXPECT_EQ(cache_.Find(path), nullptr);

  Write("later.mqo", kTriangle);
  MqoModel* model = cache_.Load(path, kModelTypeMqo);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->index, 0);
}

TEST_F(ModelCacheTest, AFolderIsNotAModel) {
  EXPECT_EQ(cache_.Load(dir_.Path(), kModelTypeMqo), nullptr);
  EXPECT_EQ(cache_.ModelCount(), 0u);
}

TEST_F(ModelCacheTest, FindComparesWholeNamesExactly) {
  const std::string path = Write("a.mqo", kTriangle);
  MqoModel* model = cache_.Load(path, kModelTypeMqo);

  EXPECT_EQ(cache_.Find(path), model);
  EXPECT_EQ(cache_.Find(dir_.File("A.mqo")), nullptr);
  EXPECT_EQ(cache_.Find(dir_.File("a.mq")), nullptr);
  EXPECT_EQ(cache_.Find(dir_.Path() + "/./a.mqo"), nullptr);
  EXPECT_EQ(cache_.Find(""), nullptr);
}

TEST_F(ModelCacheTest, OnlyTheMqoTypeLoads) {
  const std::string path = Write("a.mqo", kTriangle);
  for (const int type : {0, 2, -1}) {
    EXPECT_EQ(cache_.Load(path, type), nullptr) << type;
  }
  EXPECT_EQ(cache_.ModelCount(), 0u);
  EXPECT_NE(cache_.Load(path, kModelTypeMqo), nullptr);
}

#ifndef _WIN32
using woxa_test::OpensFifo;

TEST_F(ModelCacheTest, AnotherTypeIsRefusedWithoutOpeningTheFile) {
  MqoModel* model = nullptr;
  EXPECT_FALSE(OpensFifo(dir_.File("other.mqo"), [&] { model = cache_.Load(dir_.File("other.mqo"), 2); }));
  EXPECT_EQ(model, nullptr);
  // The watcher does see a reader: the MQO type opens the FIFO and reads an
  // empty model from it.
  EXPECT_TRUE(OpensFifo(dir_.File("fifo.mqo"), [&] { model = cache_.Load(dir_.File("fifo.mqo"), kModelTypeMqo); }));
  ASSERT_NE(model, nullptr);
  EXPECT_TRUE(model->objects.empty());
}
#endif

// 2^17 spellings of one file: each of 17 steps is "./" or ".//".
std::string Spelling(const std::string& dir, std::size_t n) {
  std::string path = dir + "/";
  for (int bit = 0; bit < 17; ++bit) path += (n >> bit) & 1 ? ".//" : "./";
  return path + "m.mqo";
}

TEST_F(ModelCacheTest, AFullCacheLoadsNothingMore) {
  Write("m.mqo", "");
  for (std::size_t n = 0; n < woxa::kMaxModels; ++n) {
    ASSERT_NE(cache_.Load(Spelling(dir_.Path(), n), kModelTypeMqo), nullptr) << n;
  }
  EXPECT_EQ(cache_.Find(Spelling(dir_.Path(), woxa::kMaxModels - 1))->index, 0x1FFFF);

  EXPECT_EQ(cache_.Load(Write("more.mqo", kTriangle), kModelTypeMqo), nullptr);
  EXPECT_EQ(cache_.ModelCount(), woxa::kMaxModels);
  EXPECT_NE(cache_.Load(Spelling(dir_.Path(), 5), kModelTypeMqo), nullptr);  // found, not loaded
}

TEST_F(ModelCacheTest, DestroyingTheCacheDeletesTexturesAndReleasesImages) {
  woxa_test::GlWindow window;
  ASSERT_TRUE(window.ok());
  woxa::ImageCache images;
  woxa_test::WriteBytes(dir_.File("t.tga"), woxa_test::MakeTga(2, 1, 1, 24, 0, {1, 2, 3}));
  const std::string path = Write("t.mqo", "Material 2 {\n\"a\" tex(\"t.tga\")\n\"b\" tex(\"t.tga\")\n}\n");
  GLuint textures[2] = {0, 0};
  const woxa::TgaImage* image = nullptr;
  {
    ModelCache cache;
    MqoModel* model = cache.Load(path, kModelTypeMqo);
    ASSERT_NE(model, nullptr);
    textures[0] = model->materials[0].texture;
    textures[1] = model->materials[1].texture;
    image = model->materials[0].image.Get();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->reference_count, 2);
  }
  EXPECT_FALSE(glIsTexture(textures[0]));
  EXPECT_FALSE(glIsTexture(textures[1]));
  EXPECT_EQ(image->reference_count, 0);
}

// The real files, loaded through the cache with the image cache running and
// drawn in a GL context. Their numbers come from the files' README and from
// counting their faces by corner count.
class ModelCacheRealFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.ok()) << "no GL context";
    if (!std::filesystem::exists(Path("simple.mqo"))) GTEST_SKIP() << "no MQO test data";
  }
  static std::string Path(const std::string& name) { return std::string(WOXA_TESTDATA_DIR) + "/mqo/" + name; }

  MqoModel& Load(const std::string& name) {
    MqoModel* model = models_.Load(Path(name), kModelTypeMqo);
    EXPECT_NE(model, nullptr) << name;
    return model != nullptr ? *model : empty_;
  }

  // Draws the model over the window, as a viewer would, and checks that GL
  // took every call.
  void Draw(const MqoModel& model) {
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-300, 300, -300, 300, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    model.Draw();
    glFinish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << model.file_name;
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) || model.objects.empty()) << model.file_name;
  }

  woxa_test::GlWindow window_{64, 64};
  woxa::ImageCache images_;
  ModelCache models_;
  MqoModel empty_{"", kModelTypeMqo};
};

struct Shape {
  std::string name;
  std::size_t vertices;
  std::size_t triangles;
};

std::vector<Shape> ShapeOf(const MqoModel& model) {
  std::vector<Shape> shape;
  for (const auto& object : model.objects) {
    EXPECT_TRUE(object.textured_faces.empty()) << object.name;  // no texture of these files loads
    shape.push_back({object.name, object.positions.size(), object.untextured_faces.size()});
  }
  return shape;
}

bool operator==(const Shape& a, const Shape& b) {
  return a.name == b.name && a.vertices == b.vertices && a.triangles == b.triangles;
}

std::ostream& operator<<(std::ostream& out, const Shape& s) {
  return out << s.name << ": " << s.vertices << " vertices, " << s.triangles << " triangles";
}

std::string Describe(const woxa::MqoFace& f) {
  std::ostringstream out;
  out << "(" << f.corner[0] << " " << f.corner[1] << " " << f.corner[2] << ") m" << f.material;
  for (const auto& c : f.coordinate) out << " " << c.u << "," << c.v;
  return out.str();
}

TEST_F(ModelCacheRealFilesTest, HeaderOnlyFileIsAModelWithoutObjects) {
  const MqoModel& model = Load("simple.mqo");
  EXPECT_TRUE(model.objects.empty());
  EXPECT_EQ(model.materials.size(), 1u);
  Draw(model);
}

TEST_F(ModelCacheRealFilesTest, QuadsBecomeTrianglesAndTwoCornerFacesAreDropped) {
  const MqoModel& model = Load("single_object_with_edge.mqo");

  ASSERT_EQ(ShapeOf(model), (std::vector<Shape>{{"obj1", 11, 12}}));
  const auto& object = model.objects[0];
  EXPECT_EQ(Describe(object.untextured_faces[0]), "(0 3 2) m0 0,0 0,0 0,0");
  EXPECT_EQ(Describe(object.untextured_faces[1]), "(0 1 3) m0 0,0 0,0 0,0");
  EXPECT_EQ(object.positions[10].x, 24.2310677);
  EXPECT_EQ(object.positions[10].z, -242.552856);
  EXPECT_EQ(model.materials.size(), 1u);
  Draw(model);
  EXPECT_NE(window_.ReadPixel(32, 32), 0u);  // the cube's front face covers the middle
}

// The binary vertex chunk has no "vertex" keyword; its closing brace ends
// the object, so the faces after it are read past and nothing points at the
// vertices that are not there.
TEST_F(ModelCacheRealFilesTest, BinaryVertexChunkGivesAnObjectWithoutVertices) {
  const MqoModel& model = Load("single_object_with_bvertex.mqo");

  EXPECT_EQ(ShapeOf(model), (std::vector<Shape>{{"obj1", 0, 0}}));
  Draw(model);
}

// Every object carries a nested "vertexattr" chunk before its faces; the
// first closing brace inside an object ends it, so these faces (n-gons and
// UID attributes among them) are read past and the vertices are kept.
TEST_F(ModelCacheRealFilesTest, NestedChunksEndTheObjectBeforeItsFaces) {
  const MqoModel& model = Load("autocsg_sample.mqo");

  const std::vector<Shape> expected = {
      {"mugcup:SUB", 488, 0},   {"cup_base:SUB", 0, 0},       {"obj1:UNION", 0, 0},    {"out:CYLINDER", 0, 0},
      {"mug", 120, 0},          {"in:CYLINDER", 0, 0},        {"mug_hole:CYLINDER", 0, 0},
      {"cutout:SUB", 0, 0},     {"hole:AND", 0, 0},           {"sub1:SPHERE", 0, 0},   {"clampbox:BOX", 0, 0},
      {"sub3:CYLINDER", 0, 0},
  };
  EXPECT_EQ(ShapeOf(model), expected);
  EXPECT_EQ(model.objects[0].positions[0].x, 0.980785251);
  ASSERT_EQ(model.materials.size(), 3u);
  EXPECT_EQ(model.materials[1].name, "mat2");
  EXPECT_EQ(model.materials[1].colour[0], 0.549);
  Draw(model);
}

TEST_F(ModelCacheRealFilesTest, ShiftJisNamesAndNGons) {
  const MqoModel& model = Load("shrinkwrap_test.mqo");

  const std::vector<Shape> expected = {
      {"\x82\xc5\x82\xa9\x82\xa2\x82\xd9\x82\xa4", 381, 507},  // 25 triangles, 241 quads
      {"obj2", 382, 723},
      {"obj3", 225, 392},
      {"obj1", 117, 212},
  };
  EXPECT_EQ(ShapeOf(model), expected);
  EXPECT_EQ(model.objects[0].positions[0].y, 100.0);
  ASSERT_EQ(model.materials.size(), 5u);
  EXPECT_EQ(model.materials[0].colour[3], 0.625);
  EXPECT_EQ(model.objects[3].untextured_faces[0].material, 3);
  Draw(model);
}

TEST_F(ModelCacheRealFilesTest, ColAttributesAreSkippedAndMissingTexturesLeaveMaterialsUntextured) {
  const MqoModel& model = Load("Phoenix.mqo");

  EXPECT_EQ(ShapeOf(model), (std::vector<Shape>{{"bdef:body", 764, 1204}, {"bdef:hane", 128, 124}}));
  EXPECT_EQ(Describe(model.objects[0].untextured_faces[0]), "(64 62 61) m14 0.72924,0.61331 0.67013,0.41344 0.6711,0.57832");
  EXPECT_EQ(model.objects[1].positions[0].x, 33.4514);
  ASSERT_EQ(model.materials.size(), 17u);
  for (int m : {13, 14, 15}) {
    EXPECT_FALSE(model.materials[m].IsTextured()) << m;
    EXPECT_EQ(model.materials[m].colour[0], 1.0) << m;
  }
  EXPECT_EQ(model.materials[13].name, "mat6");
  Draw(model);
}

}  // namespace
