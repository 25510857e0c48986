// The model demo_mesh shows (demos/data/modeldata, written by
// tools/make_demo_mesh.py): loaded through the model cache as the program
// loads it, compared with what its file declares, and drawn in the demo's
// fixed view. The picture goes to build/artifacts/demo_mesh.png.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/gl_window.h"
#include "woxa/image/image_cache.h"
#include "woxa/model/model_cache.h"

namespace {

using woxa::MqoFace;
using woxa::MqoMaterial;
using woxa::MqoModel;
using woxa::MqoObject;

constexpr char kModelPath[] = WOXA_DEMO_DATA_DIR "/modeldata/demo_mesh01.mqo";
constexpr int kWidth = 800, kHeight = 600;  // the demo's client area

// What the file itself declares, read line by line with nothing of the
// library's reader: for each material line the texture file it names, and
// for each object the corner counts of its faces.
struct Declared {
  struct Object {
    std::string name;  // as written, "#" and "#<-parent" included
    int triangles = 0;
    int quads = 0;
  };
  std::vector<std::string> material_textures;  // empty: none
  std::vector<Object> objects;
};

std::string TextureOf(const std::string& material_line) {
  const std::string::size_type start = material_line.find("tex(\"");
  if (start == std::string::npos) return "";
  const std::string::size_type end = material_line.find('"', start + 5);
  return material_line.substr(start + 5, end - start - 5);
}

Declared ReadDeclared(const std::string& path) {
  Declared declared;
  std::ifstream file(path, std::ios::binary);
  std::string line;
  int materials_left = 0;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string first, second;
    words >> first >> second;
    if (materials_left > 0) {
      declared.material_textures.push_back(TextureOf(line));
      --materials_left;
    } else if (first == "Material") {
      materials_left = std::atoi(second.c_str());
    } else if (first == "Object") {
      declared.objects.push_back({second.substr(1, second.size() - 2)});
    } else if (!declared.objects.empty() && second.compare(0, 2, "V(") == 0) {
      if (first == "3") ++declared.objects.back().triangles;
      if (first == "4") ++declared.objects.back().quads;
    }
  }
  return declared;
}

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

class DemoMeshModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    model_ = models_.Load(kModelPath, woxa::kModelTypeMqo);
    ASSERT_NE(model_, nullptr) << kModelPath;
    declared_ = ReadDeclared(kModelPath);
  }

  const MqoObject* Object(const std::string& name) const {
    for (const MqoObject& object : model_->objects) {
      if (object.name == name) return &object;
    }
    return nullptr;
  }

  // Members go in reverse: the models release their images and delete their
  // textures while the cache and the context still exist.
  woxa_test::GlWindow gl_{kWidth, kHeight};
  woxa::ImageCache images_;
  woxa::ModelCache models_;
  MqoModel* model_ = nullptr;
  Declared declared_;
};

TEST_F(DemoMeshModelTest, ObjectsAreThoseOfTheFileWithoutTheGuideAndTheHouseOwnsRoofAndChimney) {
  std::vector<std::string> expected;
  for (const Declared::Object& object : declared_.objects) {
    if (object.name[0] != '#') expected.push_back(object.name.substr(0, object.name.find('#')));
  }
  std::vector<std::string> names;
  for (const MqoObject& object : model_->objects) names.push_back(object.name);

  EXPECT_EQ(names, expected);
  EXPECT_LT(names.size(), declared_.objects.size()) << "the file has an ignored object";
  const MqoObject* house = Object("house");
  ASSERT_NE(house, nullptr);
  std::vector<const MqoObject*> children(house->children.begin(), house->children.end());
  EXPECT_EQ(children, (std::vector<const MqoObject*>{Object("roof"), Object("chimney")}));
  EXPECT_NE(Object("roof"), nullptr);
  EXPECT_NE(Object("chimney"), nullptr);
  for (const MqoObject& object : model_->objects) {
    if (&object != house) {
      EXPECT_TRUE(object.children.empty()) << object.name;
    }
  }
}

TEST_F(DemoMeshModelTest, EveryNamedTextureLoadsAsAPowerOfTwoImageAndMaterialsNamingOneFileShareIt) {
  const std::vector<MqoMaterial>& materials = model_->materials;
  ASSERT_EQ(materials.size(), declared_.material_textures.size() + 1);
  const std::string folder = std::string(WOXA_DEMO_DATA_DIR) + "/modeldata/";
  std::set<std::string> files;
  std::set<const woxa::TgaImage*> images;
  std::size_t textured = 0;
  for (std::size_t m = 0; m + 1 < materials.size(); ++m) {
    const MqoMaterial& material = materials[m];
    const std::string& texture = declared_.material_textures[m];
    ASSERT_EQ(material.IsTextured(), !texture.empty()) << material.name;
    if (texture.empty()) continue;
    const woxa::TgaImage* image = material.image.Get();
    EXPECT_EQ(image->file_name, folder + texture);
    EXPECT_TRUE(IsPowerOfTwo(image->width) && IsPowerOfTwo(image->height))
        << texture << ": " << image->width << " x " << image->height;
    EXPECT_NE(material.texture, 0u) << material.name;
    files.insert(texture);
    images.insert(image);
    ++textured;
  }
  EXPECT_GT(textured, 0u);
  EXPECT_LT(textured, materials.size() - 1) << "some materials are untextured";
  EXPECT_LT(files.size(), textured) << "some texture files serve several materials";
  EXPECT_EQ(images.size(), files.size());
  EXPECT_FALSE(materials.back().IsTextured());
  EXPECT_TRUE(materials.back().name.empty());
}

TEST_F(DemoMeshModelTest, EveryTriangleAndQuadOfTheFileBecomesTrianglesWithCornersAndMaterialsInRange) {
  int triangles = 0, quads = 0;
  std::size_t k = 0;
  for (const Declared::Object& declared : declared_.objects) {
    if (declared.name[0] == '#') continue;
    ASSERT_LT(k, model_->objects.size());
    const MqoObject& object = model_->objects[k++];
    triangles += declared.triangles;
    quads += declared.quads;
    EXPECT_EQ(object.untextured_faces.size() + object.textured_faces.size(),
              static_cast<std::size_t>(declared.triangles + 2 * declared.quads))
        << object.name;
    for (const bool textured : {false, true}) {
      for (const MqoFace& face : textured ? object.textured_faces : object.untextured_faces) {
        for (const std::int32_t corner : face.corner) {
          ASSERT_GE(corner, 0) << object.name;
          ASSERT_LT(static_cast<std::size_t>(corner), object.positions.size()) << object.name;
        }
        ASSERT_GE(face.material, 0) << object.name;
        ASSERT_LT(static_cast<std::size_t>(face.material) + 1, model_->materials.size()) << object.name;
        EXPECT_EQ(model_->materials[static_cast<std::size_t>(face.material)].IsTextured(), textured);
      }
    }
  }
  EXPECT_GT(triangles, 0);
  EXPECT_GT(quads, 0);
}

TEST_F(DemoMeshModelTest, EveryVertexLiesInsideTheDemoViewFrustum) {
  const double tan_half = std::tan(22.5 * 3.14159265358979323846 / 180.0);
  for (const MqoObject& object : model_->objects) {
    for (const woxa::Vector3& p : object.positions) {
      ASSERT_LT(p.z, -1.0) << object.name;
      ASSERT_GT(p.z, -1000.0) << object.name;
      ASSERT_LE(std::fabs(p.y), -p.z * tan_half) << object.name;
      ASSERT_LE(std::fabs(p.x), -p.z * tan_half * kWidth / kHeight) << object.name;
    }
  }
}

// Writes the frame for people to look at; silently does nothing where the
// tools or the folder are missing.
void SaveArtifact(const std::vector<unsigned char>& rgba, const char* name) {
#ifndef _WIN32
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = fs::path(WOXA_DEMO_DATA_DIR) / ".." / ".." / "build" / "artifacts";
  fs::create_directories(folder, error);
  const fs::path ppm = folder / (std::string(name) + ".ppm");
  std::FILE* f = std::fopen(ppm.string().c_str(), "wb");
  if (f == nullptr) return;
  std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
  for (int y = kHeight - 1; y >= 0; --y) {  // GL rows run bottom up
    for (int x = 0; x < kWidth; ++x) std::fwrite(&rgba[(static_cast<std::size_t>(y) * kWidth + x) * 4], 1, 3, f);
  }
  std::fclose(f);
  const fs::path png = folder / (std::string(name) + ".png");
  const std::string command = "convert '" + ppm.string() + "' '" + png.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) == 0) fs::remove(ppm, error);
#else
  (void)rgba, (void)name;
#endif
}

// The frame demo_mesh draws with this model, and the share of its pixels
// the model covers.
std::vector<unsigned char> DrawAsTheDemo(const MqoModel& model, GLenum culled_face, double* covered) {
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(kWidth) / kHeight, 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glShadeModel(GL_SMOOTH);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glCullFace(culled_face);
  glEnable(GL_CULL_FACE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  model.Draw();
  glFinish();
  std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::size_t lit = 0;
  for (std::size_t i = 0; i < rgba.size(); i += 4) lit += (rgba[i] | rgba[i + 1] | rgba[i + 2]) != 0 ? 1 : 0;
  *covered = static_cast<double>(lit) / (kWidth * kHeight);
  return rgba;
}

// With the demo's back-face culling the model fills a good part of the
// window; culling the other side instead leaves little, so the faces are
// wound to show their fronts.
TEST_F(DemoMeshModelTest, DrawnInTheDemoViewItFillsMuchOfTheWindowWithItsFrontFaces) {
  double front = 0.0, back = 0.0;
  const std::vector<unsigned char> frame = DrawAsTheDemo(*model_, GL_BACK, &front);
  SaveArtifact(frame, "demo_mesh");
  DrawAsTheDemo(*model_, GL_FRONT, &back);

  EXPECT_GT(front, 0.35) << "back " << back;
  EXPECT_LT(back, front / 2);
}

}  // namespace
