// The MQO reader from bytes: the structure it reads, the faces it makes, and
// what it does with files that break the rules.
#include "woxa/model/mqo_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/gl_window.h"
#include "tests/support/tga_files.h"
#include "woxa/image/image_cache.h"

namespace {

using woxa::ImageCache;
using woxa::kModelTypeMqo;
using woxa::MqoFace;
using woxa::MqoModel;
using woxa::MqoObject;
using woxa::MqoReader;

std::unique_ptr<MqoModel> Read(const std::string& text, const std::string& file_name = "model.mqo") {
  auto model = std::make_unique<MqoModel>(file_name, kModelTypeMqo);
  MqoReader::Read(*model, text.data(), text.size());
  return model;
}

// Faces as "(a b c) m<material> u,v u,v u,v" joined by "; ", for tables.
std::string Describe(const std::vector<MqoFace>& faces) {
  std::ostringstream out;
  for (const MqoFace& f : faces) {
    if (&f != &faces.front()) out << "; ";
    out << "(" << f.corner[0] << " " << f.corner[1] << " " << f.corner[2] << ") m" << f.material;
    for (const auto& c : f.coordinate) out << " " << c.u << "," << c.v;
  }
  return out.str();
}

std::string Position(const woxa::Vector3& p) {
  std::ostringstream out;
  out << p.x << " " << p.y << " " << p.z;
  return out.str();
}

std::vector<std::string> Names(const MqoModel& model) {
  std::vector<std::string> names;
  for (const MqoObject& object : model.objects) names.push_back(object.name);
  return names;
}

std::vector<std::string> ChildNames(const MqoObject& object) {
  std::vector<std::string> names;
  for (const MqoObject* child : object.children) names.push_back(child->name);
  return names;
}

const char kHeader[] = "Metasequoia Document\nFormat Text Ver 1.0\n\n";

// One untextured material "m0" (N = 1) and an object of eight vertices with
// the given face lines.
std::string WithFaceLines(const std::string& face_lines, int face_count) {
  std::string text = kHeader;
  text += "Material 1 {\n\t\"m0\" col(0.5 0.25 1 1)\n}\nObject \"obj\" {\n\tvertex 8 {\n";
  for (int i = 0; i < 8; ++i) text += "\t\t" + std::to_string(i) + " 0 0\n";
  text += "\t}\n\tface " + std::to_string(face_count) + " {\n" + face_lines + "\t}\n}\nEof\n";
  return text;
}

TEST(MqoReader, ATriangleWithoutMaterialIsReversedFlippedAndUsesTheExtraWhiteMaterial) {
  const auto model = Read(WithFaceLines("\t\t3 V(5 6 7) UV(0 0 1 0 0 1)\n", 1));

  ASSERT_EQ(model->objects.size(), 1u);
  const MqoObject& object = model->objects[0];
  EXPECT_EQ(Describe(object.untextured_faces), "(5 7 6) m1 0,1 0,0 1,1");
  EXPECT_TRUE(object.textured_faces.empty());
  ASSERT_EQ(model->materials.size(), 2u);
  EXPECT_EQ(model->materials[1].name, "");
  EXPECT_FALSE(model->materials[1].IsTextured());
  for (const double c : model->materials[1].colour) EXPECT_EQ(c, 1.0);
}

TEST(MqoReader, FaceLinesByCornerCountAndAttributes) {
  const struct {
    const char* line;
    const char* faces;
  } cases[] = {
      {"3 V(0 1 2)", "(0 2 1) m1 0,0 0,0 0,0"},
      {"4 V(0 1 2 3)", "(0 2 1) m1 0,0 0,0 0,0; (0 3 2) m1 0,0 0,0 0,0"},
      {"4 V 0 1 2 3 M 0", "(0 2 1) m0 0,0 0,0 0,0; (0 3 2) m0 0,0 0,0 0,0"},  // no parentheses at all
      {"0", ""},
      {"1 V(0)", ""},
      {"2 V(0 1)", ""},
      {"5 V(0 1 2 3 4) M(0)", ""},
      {"x V(0 1 2)", ""},
      {"3 V(0 1)", ""},  // "V" cut short: no corners
      {"3 M(0) UV(0 0 1 0 1 1)", ""},  // no "V"
      {"3 V(0 1 2) M(0)", "(0 2 1) m0 0,0 0,0 0,0"},
      {"3 V(0 1 2) M(1)", "(0 2 1) m1 0,0 0,0 0,0"},  // the extra white material by its index
      {"3 V(0 1 2) M(-1)", "(0 2 1) m1 0,0 0,0 0,0"},
      {"3 V(0 1 2) M(2)", "(0 2 1) m1 0,0 0,0 0,0"},
      {"3 V(0 1 2) M(99999999999)", "(0 2 1) m1 0,0 0,0 0,0"},
      {"3 V(0 1 2) M", "(0 2 1) m1 0,0 0,0 0,0"},
      {"3 V(0 1 2) UV(0 0 1 0)", "(0 2 1) m1 0,0 0,0 0,0"},  // "UV" cut short
      {"3 V(0 1 2) UV(0 0 1 0 1 1 9 9)", "(0 2 1) m1 0,1 1,0 1,1"},  // values beyond 2c are stepped over
      {"4 V(0 1 2 3) UV(0.5 0.25 1 0 1 1 0 1)", "(0 2 1) m1 0.5,0.75 1,0 1,1; (0 3 2) m1 0.5,0.75 0,0 1,0"},
      {"3 V(-1 2 2147483648)", "(-1 2147483647 2) m1 0,0 0,0 0,0"},  // kept as written
      {"3 V(0 1 2) V(3 4 5)", "(3 5 4) m1 0,0 0,0 0,0"},
      {"4 V(0 1 2 3) M(0) COL(4294967295 1 2 3) UID(42) CRS(1 2 3 4)", "(0 2 1) m0 0,0 0,0 0,0; (0 3 2) m0 0,0 0,0 0,0"},
      {"3 V(0 1 M(0) 2)", "(0 0 1) m1 0,0 0,0 0,0"},  // the next c words are taken as they come
  };
  for (const auto& c : cases) {
    const auto model = Read(WithFaceLines(std::string("\t\t") + c.line + "\n", 1));
    ASSERT_EQ(model->objects.size(), 1u) << c.line;
    EXPECT_EQ(Describe(model->objects[0].untextured_faces), c.faces) << c.line;
    EXPECT_TRUE(model->objects[0].textured_faces.empty()) << c.line;
  }
}

TEST(MqoReader, MaterialLinesTakeTheirNameColAndNothingElse) {
  const std::string text = std::string(kHeader) +
                           "Material 6 {\n"
                           "\t\"only name\"\n"
                           "\n"  // lines without words do not count
                           "\t\"coloured\" shader(3) col(0.25 0.5 0.75 0.125) dif(0.8) power(5.00)\n"
                           "\t\"short col\" col(0.25 0.5)\n"
                           "\t\"tex at the end\" col(1 0 0 1) tex\n"
                           "\tbare dif(0.8) col(0 0 0 0) col(1 1 0 1)\n"
                           "\t\"no texture service\" tex(\"a.tga\")\n"
                           "}\n";
  const auto model = Read(text);

  ASSERT_EQ(model->materials.size(), 7u);
  const struct {
    const char* name;
    double colour[4];
  } expected[] = {
      {"only name", {1, 1, 1, 1}},       {"coloured", {0.25, 0.5, 0.75, 0.125}},
      {"short col", {1, 1, 1, 1}},       {"tex at the end", {1, 0, 0, 1}},
      {"bare", {1, 1, 0, 1}},            {"no texture service", {1, 1, 1, 1}},
      {"", {1, 1, 1, 1}},  // the extra white material
  };
  for (std::size_t m = 0; m < 7; ++m) {
    EXPECT_EQ(model->materials[m].name, expected[m].name) << m;
    for (int c = 0; c < 4; ++c) EXPECT_EQ(model->materials[m].colour[c], expected[m].colour[c]) << m;
    EXPECT_FALSE(model->materials[m].IsTextured()) << m;
  }
  EXPECT_TRUE(model->objects.empty());
}

TEST(MqoReader, AFileWithoutMaterialsOrObjectsHasOnlyTheWhiteMaterial) {
  for (const std::string& text : {std::string(), std::string("Metasequoia Document\r\nFormat Text Ver 1.1\r\n\r\nEof\r\n"),
                                 std::string("Material 0 {\n}\n"), std::string("Material -3 {\n}\n")}) {
    const auto model = Read(text);
    EXPECT_TRUE(model->objects.empty());
    ASSERT_EQ(model->materials.size(), 1u);
    EXPECT_EQ(model->materials[0].name, "");
  }
}

TEST(MqoReader, ObjectNamesParentsAndIgnoredObjects) {
  const std::string text = std::string(kHeader) +
                           "Object \"body\" {\n}\n"
                           "Object \"#hidden\" {\n\tvertex 2 {\n\t\t1 1 1\n\t\t2 2 2\n\t}\n}\n"
                           "Object \"arm#<-body\" {\n}\n"
                           "Object \"leg #<-body\" {\n\tvertex 1 {\n\t\t7 8 9\n\t}\n}\n"
                           "Object \"two words\" {\n}\n"
                           "Object \"hand#<-arm#<-nothing#<-arm extra\" {\n}\n"
                           "Object \"#\" {\n}\n"
                           "Object \"x #<-\" {\n}\n"
                           "Object bare#<-two {\n}\n"
                           "Object {\n}\n"
                           "Object \"unclosed {\n}\n";
  const auto model = Read(text);

  EXPECT_EQ(Names(*model), (std::vector<std::string>{"body", "arm", "leg", "two", "hand", "x", "bare", "{", ""}));
  const MqoObject& body = model->objects[0];
  EXPECT_EQ(ChildNames(body), (std::vector<std::string>{"arm", "leg"}));
  EXPECT_EQ(ChildNames(model->objects[1]), (std::vector<std::string>{"hand"}));
  EXPECT_EQ(ChildNames(model->objects[3]), (std::vector<std::string>{"bare"}));
  // The ignored object took no index: its vertices went nowhere and "leg"
  // still got its own.
  EXPECT_TRUE(body.positions.empty());
  EXPECT_TRUE(model->objects[1].positions.empty());
  ASSERT_EQ(model->objects[2].positions.size(), 1u);
  EXPECT_EQ(Position(model->objects[2].positions[0]), "7 8 9");
}

TEST(MqoReader, AParentNameOfSeveralObjectsMakesAChildOfEach) {
  const auto model = Read("Object a {\n}\nObject b#<-a {\n}\nObject a {\n}\nObject a#<-a {\n}\n");

  EXPECT_EQ(ChildNames(model->objects[0]), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(ChildNames(model->objects[2]), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(ChildNames(model->objects[3]), (std::vector<std::string>{"b"}));  // never its own child
}

// 200 objects that share one name and name it as their parent would need
// 39800 links; each joins only the first kMaxParentsPerObject namesakes.
TEST(MqoReader, AnObjectJoinsABoundedNumberOfNamesakesAsChild) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "Object \"a#<-a\" {\n}\n";
  const auto model = Read(text);

  ASSERT_EQ(model->objects.size(), 200u);
  std::size_t links = 0;
  for (const MqoObject& object : model->objects) links += object.children.size();
  EXPECT_EQ(links, 200 * woxa::kMaxParentsPerObject);
  EXPECT_EQ(model->objects[0].children.size(), 199u);
  EXPECT_EQ(model->objects[1].children.front(), &model->objects[0]);
  EXPECT_TRUE(model->objects[woxa::kMaxParentsPerObject + 1].children.empty());
}

TEST(MqoReader, VerticesArePositionsAndBasePositionsWithZeroNormals) {
  const auto model = Read(
      "Object \"v\" {\n\tvertex 3 {\n\t\t-100 1e2 0.5\n\n\t\t1.5 -2.25 3\n\t\t7 8 9 10\n\t}\n\tface 1 {\n\t\t3 V(0 1 2)\n"
      "\t}\n}\n");

  const MqoObject& object = model->objects.at(0);
  ASSERT_EQ(object.positions.size(), 3u);
  ASSERT_EQ(object.base_positions.size(), 3u);
  ASSERT_EQ(object.normals.size(), 3u);
  const char* expected[] = {"-100 100 0.5", "1.5 -2.25 3", "7 8 9"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Position(object.positions[i]), expected[i]);
    EXPECT_EQ(Position(object.base_positions[i]), expected[i]);
    EXPECT_EQ(Position(object.normals[i]), "0 0 0");
  }
  EXPECT_EQ(object.untextured_faces.size(), 1u);
}

TEST(MqoReader, NumbersOnVertexLines) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* line;
    double x, y, z;
  } cases[] = {
      {"nan inf 1e999", 0, 0, inf}, {"-0 .5 5.", -0.0, 0.5, 5},      {"+3 1e-999 x", 3, 0, 0},
      {"1,5 2 3", 1, 2, 3},         {"1 2", 0, 0, 0},                {"(1 2 3)", 0, 2, 3},  // not prepared
      {"-1e999 0x10 1e", -inf, 0, 1},
  };
  for (const auto& c : cases) {
    const auto model = Read(std::string("Object o {\nvertex 1 {\n") + c.line + "\n}\n}\n");
    const woxa::Vector3& p = model->objects.at(0).positions.at(0);
    EXPECT_EQ(p.x, c.x) << c.line;
    EXPECT_EQ(p.y, c.y) << c.line;
    EXPECT_EQ(p.z, c.z) << c.line;
    EXPECT_EQ(std::signbit(p.x), std::signbit(c.x)) << c.line;
  }
}

TEST(MqoReader, AnObjectWithoutVerticesKeepsFacesThatPointNowhere) {
  const auto model = Read("Object \"empty\" {\n\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n");

  const MqoObject& object = model->objects.at(0);
  EXPECT_TRUE(object.positions.empty());
  EXPECT_TRUE(object.normals.empty());
  EXPECT_EQ(Describe(object.untextured_faces), "(0 2 1) m0 0,0 0,0 0,0");
}

TEST(MqoReader, TheEndOfTheFileEndsEveryOpenChunk) {
  const struct {
    const char* label;
    std::string text;
    std::size_t vertices;
    std::size_t faces;
  } cases[] = {
      {"last object without its brace", "Object a {\nvertex 1 {\n1 2 3\n}\nface 1 {\n3 V(0 0 0)\n}\n", 1, 1},
      {"face chunk cut short", "Object a {\nvertex 1 {\n1 2 3\n}\nface 3 {\n3 V(0 0 0)\n", 1, 1},
      {"vertex chunk cut short", "Object a {\nvertex 4 {\n1 2 3\n", 1, 0},
      {"no line end at the end", "Object a {\nvertex 1 {\n1 2 3\n}\nface 1 {\n3 V(0 0 0)", 1, 1},
  };
  for (const auto& c : cases) {
    const auto model = Read(c.text);
    ASSERT_EQ(model->objects.size(), 1u) << c.label;
    EXPECT_EQ(model->objects[0].positions.size(), c.vertices) << c.label;
    EXPECT_EQ(model->objects[0].untextured_faces.size(), c.faces) << c.label;
  }
}

// A chunk takes as many lines as it declares, whatever they hold, and the
// one after them unexamined.
TEST(MqoReader, DeclaredCountsDecideWhichLinesAChunkTakes) {
  // Two lines too few: the vertex chunk takes its brace and the face line.
  const auto more = Read("Object a {\nvertex 4 {\n1 1 1\n2 2 2\n}\nface 1 {\n3 V(0 1 2)\n}\n}\nObject b {\n}\n");
  ASSERT_EQ(Names(*more), (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(more->objects[0].positions.size(), 4u);
  EXPECT_EQ(Position(more->objects[0].positions[2]), "0 0 0");  // "}": fewer than three words
  EXPECT_EQ(Position(more->objects[0].positions[3]), "0 1 0");  // "face 1 {"
  EXPECT_TRUE(more->objects[0].untextured_faces.empty());

  // One line too many: the extra vertex is the unexamined line, the chunk's
  // own brace ends the object, and the faces after it are read past.
  const auto fewer = Read("Object a {\nvertex 1 {\n1 1 1\n2 2 2\n}\nface 1 {\n3 V(0 0 0)\n}\n}\n");
  ASSERT_EQ(fewer->objects.size(), 1u);
  EXPECT_EQ(fewer->objects[0].positions.size(), 1u);
  EXPECT_TRUE(fewer->objects[0].untextured_faces.empty());
}

TEST(MqoReader, HugeCountsAreBoundedByTheLinesOfTheFile) {
  const auto vertices = Read("Object a {\nvertex 2000000000 {\n1 2 3\n}\nface 2000000000 {\n3 V(0 0 0)\n}\n}\n");
  ASSERT_EQ(vertices->objects.size(), 1u);
  EXPECT_EQ(vertices->objects[0].positions.size(), 6u);  // the lines after the vertex line
  EXPECT_EQ(Position(vertices->objects[0].positions[0]), "1 2 3");

  const auto materials = Read("Material 2000000000 {\n\"a\"\n}\n");
  ASSERT_EQ(materials->materials.size(), 4u);  // one per line of the file, and the white one
  EXPECT_EQ(materials->materials[0].name, "a");
  EXPECT_EQ(materials->materials[1].name, "}");

  // Many objects that each claim the rest of the file share its lines.
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "Object o {\nvertex 2000000000 {\n0 0 0\n}\n}\n";
  const auto many = Read(text);
  std::size_t total = 0;
  for (const MqoObject& object : many->objects) total += object.positions.size();
  EXPECT_LE(total, 5000u);
}

TEST(MqoReader, LineEndsLongLinesAndShiftJisNamesDoNotChangeWhatIsRead) {
  const std::string sjis = "\x82\xc5\x82\xa9\x95\x5c\x83\x5c";  // the last two trail bytes are '\\'
  const std::string filler(8000, 'x');
  const std::string lf = "Material 1 {\n\"" + sjis + "\" col(1 0 0 1) " + filler + "\n}\nObject \"" + sjis +
                         "#<-" + sjis + "\" {\nvertex 3 {\n0 0 0\n1 0 0\n0 1 0\n}\nface 1 {\n3 V(0 1 2) M(0)" +
                         std::string(6000, ' ') + "UV(0 0 1 0 0 1) " + filler + "\n}\n}\nEof";
  std::string crlf;
  for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

  for (const std::string& text : {lf, crlf}) {
    const auto model = Read(text);
    ASSERT_EQ(model->objects.size(), 1u);
    EXPECT_EQ(model->objects[0].name, sjis);
    EXPECT_EQ(model->materials[0].name, sjis);
    EXPECT_EQ(model->materials[0].colour[1], 0.0);
    EXPECT_EQ(Describe(model->objects[0].untextured_faces), "(0 2 1) m0 0,1 0,0 1,1");
    EXPECT_EQ(Position(model->objects[0].positions[2]), "0 1 0");
  }
}

// What every model must satisfy, whatever the bytes were.
void ExpectSound(const MqoModel& model) {
  ASSERT_FALSE(model.materials.empty());
  for (const MqoObject& object : model.objects) {
    EXPECT_EQ(object.positions.size(), object.base_positions.size());
    EXPECT_EQ(object.normals.size(), object.base_positions.size());
    for (const auto* list : {&object.untextured_faces, &object.textured_faces}) {
      for (const MqoFace& face : *list) {
        EXPECT_GE(face.material, 0);
        EXPECT_LT(static_cast<std::size_t>(face.material), model.materials.size());
      }
    }
    for (const MqoObject* child : object.children) {
      EXPECT_TRUE(child >= model.objects.data() && child < model.objects.data() + model.objects.size());
    }
  }
}

TEST(MqoReader, BinaryBytesReadAsSomeModelWithinBounds) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(1 << 14, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    // Keywords among the noise make the reader go deeper.
    for (const char* word : {"\nObject a {\n", "\nvertex 9 {\n", "\nface 9 {\n4 V 0 1 2 3 M 0 UV ", "\nMaterial 3 {\n", "\n}\n"}) {
      bytes.insert(random() % bytes.size(), word);
    }
    const auto model = Read(bytes);
    ExpectSound(*model);
  }
}

// Textures need the image cache and a GL context.
class MqoReaderTexturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.ok()) << "no GL context";
    for (const char* name : {"red.tga", "blue.TGA"}) {
      woxa_test::WriteBytes(dir_.File(name), woxa_test::MakeTga(2, 1, 1, 24, 0, {0, 0, 255}));
    }
  }
  std::string ModelPath() const { return dir_.File("model.mqo"); }

  woxa_test::GlWindow window_;
  woxa_test::ScratchDir dir_;
  ImageCache cache_;
};

TEST_F(MqoReaderTexturesTest, AQuadOfATexturedMaterialBecomesTwoTexturedTriangles) {
  const auto model = Read(std::string(kHeader) +
                              "Material 1 {\n\t\"tex\" col(1 1 1 1) tex(\"red.tga\")\n}\n"
                              "Object \"quad\" {\n\tvertex 4 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 0\n\t}\n"
                              "\tface 1 {\n\t\t4 V(0 1 2 3) M(0) UV(0 0 1 0 1 1 0 1)\n\t}\n}\nEof\n",
                          ModelPath());

  const MqoObject& object = model->objects.at(0);
  EXPECT_EQ(Describe(object.textured_faces), "(0 2 1) m0 0,1 1,0 1,1; (0 3 2) m0 0,1 0,0 1,0");
  EXPECT_TRUE(object.untextured_faces.empty());
  const woxa::MqoMaterial& material = model->materials[0];
  ASSERT_TRUE(material.IsTextured());
  EXPECT_EQ(material.image->file_name, dir_.File("red.tga"));
  EXPECT_EQ(material.image->reference_count, 1);  // the reader let go of its own
  EXPECT_TRUE(glIsTexture(material.texture));
  GLint filter = 0;
  glBindTexture(GL_TEXTURE_2D, material.texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
}

TEST_F(MqoReaderTexturesTest, TwoMaterialsNamingOneFileShareTheImageButNotTheTexture) {
  const auto model =
      Read("Material 3 {\n\"a\" tex(\"red.tga\")\n\"b\" tex(\"red.tga\")\n\"c\" tex(\"missing.tga\")\n}\n", ModelPath());

  const woxa::MqoMaterial& a = model->materials[0];
  const woxa::MqoMaterial& b = model->materials[1];
  ASSERT_TRUE(a.IsTextured());
  EXPECT_EQ(a.image.Get(), b.image.Get());
  EXPECT_EQ(a.image->reference_count, 2);
  EXPECT_NE(a.texture, b.texture);
  EXPECT_FALSE(model->materials[2].IsTextured());
  EXPECT_EQ(model->materials[2].texture, 0u);
}

TEST_F(MqoReaderTexturesTest, TexturePathsStartWithTheModelsDirectory) {
  const struct {
    const char* label;
    std::string model_file;
    std::string tex;
    std::string image_file;  // empty: untextured
  } cases[] = {
      {"directory with '/'", dir_.Path() + "/model.mqo", "red.tga", dir_.Path() + "/red.tga"},
      {"no separator: the current directory", "model.mqo", "red.tga", "red.tga"},
      {"a path in the tex value", "model.mqo", dir_.Path() + "/blue.TGA", dir_.Path() + "/blue.TGA"},
      {"not a TGA name", dir_.Path() + "/model.mqo", "red.png", ""},
      {"missing file", dir_.Path() + "/model.mqo", "none.tga", ""},
      {"leading blank kept", dir_.Path() + "/model.mqo", " red.tga", ""},
  };
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.Path());
  for (const auto& c : cases) {
    const auto model = Read("Material 1 {\n\"m\" tex(\"" + c.tex + "\")\n}\n", c.model_file);
    const woxa::MqoMaterial& material = model->materials[0];
    EXPECT_EQ(material.IsTextured(), !c.image_file.empty()) << c.label;
    if (material.IsTextured()) {
      EXPECT_EQ(material.image->file_name, c.image_file) << c.label;
    }
  }
  std::filesystem::current_path(previous);
}

TEST_F(MqoReaderTexturesTest, TheLastTexOfALineWinsAndTheFirstImageIsReleased) {
  const auto model = Read("Material 1 {\n\"m\" tex(\"red.tga\") tex(\"blue.TGA\")\n}\n", ModelPath());

  ASSERT_TRUE(model->materials[0].IsTextured());
  EXPECT_EQ(model->materials[0].image->file_name, dir_.File("blue.TGA"));
  const woxa::ImageHandle red = cache_.Find(dir_.File("red.tga"));
  ASSERT_TRUE(red);
  EXPECT_EQ(red->reference_count, 1);  // only the handle just taken
}

TEST_F(MqoReaderTexturesTest, FacesAreTexturedByTheirMaterialAsReadSoFar) {
  const std::string object =
      "Object o {\nvertex 3 {\n0 0 0\n1 0 0\n0 1 0\n}\nface 3 {\n3 V(0 1 2) M(0)\n3 V(0 1 2) M(1)\n3 V(0 1 2)\n}\n}\n";
  const std::string materials = "Material 2 {\n\"t\" tex(\"red.tga\")\n\"plain\"\n}\n";

  const auto before = Read(materials + object, ModelPath());
  EXPECT_EQ(before->objects[0].textured_faces.size(), 1u);
  EXPECT_EQ(before->objects[0].untextured_faces.size(), 2u);

  const auto after = Read(object + materials, ModelPath());
  EXPECT_TRUE(after->materials[0].IsTextured());
  EXPECT_TRUE(after->objects[0].textured_faces.empty());
  EXPECT_EQ(after->objects[0].untextured_faces.size(), 3u);
}

}  // namespace
