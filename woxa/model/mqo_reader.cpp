#include "woxa/model/mqo_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "woxa/image/image_cache.h"
#include "woxa/model/mqo_number.h"
#include "woxa/model/mqo_tokenizer.h"
#include "woxa/util/utility.h"

namespace woxa {
namespace {

// The lines of a file held in memory, as a text-mode stream reads them.
class LineCursor {
 public:
  LineCursor(const char* data, std::size_t size) : begin_(data), end_(data + size), next_(data) {}

  // The next line without its line end; false at the end of the file.
  bool Next(std::string_view* line) {
    if (next_ == end_) return false;
    const char* newline = static_cast<const char*>(std::memchr(next_, '\n', static_cast<std::size_t>(end_ - next_)));
    const char* line_end = newline != nullptr ? newline : end_;
    if (newline != nullptr && line_end > next_ && line_end[-1] == '\r') --line_end;
    *line = std::string_view(next_, static_cast<std::size_t>(line_end - next_));
    next_ = newline != nullptr ? newline + 1 : end_;
    ++count_;
    return true;
  }
  // Lines read since the start.
  std::size_t count() const { return count_; }
  std::size_t bytes_left() const { return static_cast<std::size_t>(end_ - next_); }
  void Rewind() {
    next_ = begin_;
    count_ = 0;
  }

 private:
  const char* begin_;
  const char* end_;
  const char* next_;
  std::size_t count_ = 0;
};

struct ObjectName {
  std::string name;
  std::string parent;  // empty: none
  bool ignored = false;
};

// The name of an object from the second word of its "Object" line.
ObjectName DeriveObjectName(std::string_view word) {
  std::string text;
  text.reserve(word.size() * 2);
  for (const char c : word) {
    if (c == '#') text += ' ';
    text += c;
  }
  std::vector<std::string_view> words;
  MqoTokenizer::Split(text, &words);
  ObjectName result;
  if (words.empty()) return result;
  result.name = std::string(words[0]);
  result.ignored = words[0][0] == '#';
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i].size() >= 4 && words[i].substr(0, 3) == "#<-") result.parent = std::string(words[i].substr(3));
  }
  return result;
}

std::string DirectoryOf(const std::string& file_name) {
  if (const Utility* utility = Utility::Instance()) return utility->GetPath(file_name);
  // Without the utility service a short-lived one answers; it clears the
  // registration again, which was empty.
  const Utility local;
  return local.GetPath(file_name);
}

// What the first pass learns about an object.
struct CountedObject {
  std::string name;
  std::string parent;
  std::int32_t vertex_count = 0;
  // Lines of the file up to and including its "vertex" line.
  std::size_t lines_through_vertex = 0;
};

constexpr std::size_t kAllWords = static_cast<std::size_t>(-1);

class Decoder {
 public:
  Decoder(MqoModel& model, const char* data, std::size_t size) : model_(model), lines_(data, size) {}

  void Run() {
    directory_ = DirectoryOf(model_.file_name);
    model_.objects.clear();
    model_.materials.clear();
    CountPass();
    SizeModel();
    LinkParents();
    lines_.Rewind();
    FillPass();
  }

 private:
  // Reads on to the next line that has words and splits its first
  // max_words words into words_, with "(" and ")" made blanks first when
  // prepare is set. False at the end of the file. The words stay valid until
  // the next call.
  bool NextWords(bool prepare, std::size_t max_words = kAllWords) {
    std::string_view line;
    while (lines_.Next(&line)) {
      bool parentheses_are_blanks = prepare;
      if (prepare && line.find('"') != std::string_view::npos) {
        prepared_.assign(line.data(), line.size());
        for (char& c : prepared_) {
          if (c == '(' || c == ')') c = ' ';
        }
        line = prepared_;
        parentheses_are_blanks = false;
      }
      MqoTokenizer(line, parentheses_are_blanks).SplitFirst(max_words, &words_);
      if (!words_.empty()) return true;
    }
    return false;
  }

  // Word i of the current line, empty when the line has fewer.
  std::string_view Word(std::size_t i) const { return i < words_.size() ? words_[i] : std::string_view(); }

  void SkipLine() {
    std::string_view ignored;
    lines_.Next(&ignored);
  }

  // First pass: material count, and the objects with their vertex counts.
  void CountPass() {
    while (NextWords(false, 2)) {
      if (words_[0] == "Object") {
        CountObject(Word(1));
      } else if (words_[0] == "Material") {
        declared_materials_ = MqoNumber::ToInt(Word(1));
      }
    }
  }

  void CountObject(std::string_view name_word) {
    ObjectName name = DeriveObjectName(name_word);
    if (name.ignored) return;
    CountedObject object;
    object.name = std::move(name.name);
    object.parent = std::move(name.parent);
    while (NextWords(false, 2)) {
      if (words_[0] == "}") break;
      if (words_[0] == "vertex") {
        object.vertex_count = MqoNumber::ToInt(Word(1));
        object.lines_through_vertex = lines_.count();
        break;
      }
    }
    counted_.push_back(std::move(object));
  }

  // Between the passes: every array gets its final size, each bounded by
  // the lines that could fill it.
  void SizeModel() {
    const std::size_t lines = lines_.count();
    total_lines_ = lines;
    material_count_ = static_cast<std::size_t>(std::max<std::int32_t>(declared_materials_, 0));
    material_count_ = std::min(material_count_, lines);
    model_.materials.resize(material_count_ + 1);  // the last one is the extra white material
    model_.objects.resize(counted_.size());
    std::size_t budget = lines;
    for (std::size_t i = 0; i < counted_.size(); ++i) {
      const CountedObject& counted = counted_[i];
      std::size_t count = static_cast<std::size_t>(std::max<std::int32_t>(counted.vertex_count, 0));
      count = std::min({count, lines - counted.lines_through_vertex, budget});
      budget -= count;
      MqoObject& object = model_.objects[i];
      object.name = counted.name;
      object.base_positions.resize(count);
      object.positions.resize(count);
      object.normals.resize(count);
    }
  }

  // Each object becomes a child of the other objects named as its parent,
  // so every object's children end up in file order.
  void LinkParents() {
    std::unordered_map<std::string_view, std::vector<std::size_t>> by_name;
    for (std::size_t i = 0; i < model_.objects.size(); ++i) by_name[model_.objects[i].name].push_back(i);
    for (std::size_t j = 0; j < counted_.size(); ++j) {
      if (counted_[j].parent.empty()) continue;
      const auto found = by_name.find(counted_[j].parent);
      if (found == by_name.end()) continue;
      std::size_t joined = 0;
      for (const std::size_t i : found->second) {
        if (i == j) continue;
        if (joined++ == kMaxParentsPerObject) break;
        model_.objects[i].children.push_back(&model_.objects[j]);
      }
    }
  }

  // Second pass: materials, vertices and faces.
  void FillPass() {
    std::size_t k = 0;
    while (NextWords(false, 2)) {
      if (words_[0] == "Material" && material_count_ > 0) {
        ReadMaterials();
      } else if (words_[0] == "Object") {
        if (DeriveObjectName(Word(1)).ignored) continue;
        // Lines the passes see differently can show an object more here; it
        // is read past.
        FillObject(k < model_.objects.size() ? &model_.objects[k] : nullptr);
        ++k;
      }
    }
  }

  void ReadMaterials() {
    for (std::size_t m = 0; m < material_count_; ++m) {
      if (!NextWords(true)) return;
      ReadMaterial(model_.materials[m]);
    }
  }

  void ReadMaterial(MqoMaterial& material) {
    double colour[4] = {1.0, 1.0, 1.0, 1.0};
    ImageHandle image;
    for (std::size_t t = 1; t < words_.size();) {
      if (words_[t] == "col" && t + 4 < words_.size()) {
        for (std::size_t c = 0; c < 4; ++c) colour[c] = MqoNumber::ToDouble(words_[t + 1 + c]);
        t += 5;
      } else if (words_[t] == "tex" && t + 1 < words_.size()) {
        image = AcquireTexture(words_[t + 1]);
        t += 2;
      } else {
        ++t;
      }
    }
    material.Set(std::string(words_[0]), colour, image);
  }

  ImageHandle AcquireTexture(std::string_view file) const {
    ImageCache* cache = ImageCache::Instance();
    if (cache == nullptr) return ImageHandle();
    return cache->Acquire(directory_ + std::string(file), kFormatByExtension);
  }

  // Reads an object's lines up to its "}"; a null object is read past.
  void FillObject(MqoObject* object) {
    while (NextWords(true, 2)) {
      const std::string_view first = words_[0];
      if (first == "}") return;
      if (first == "vertex") {
        ReadVertices(object, MqoNumber::ToInt(Word(1)));
      } else if (first == "face") {
        ReadFaces(object, MqoNumber::ToInt(Word(1)));
      }
    }
  }

  void ReadVertices(MqoObject* object, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) {
      if (!NextWords(false, 3)) return;
      if (object == nullptr || words_.size() < 3) continue;
      const std::size_t n = static_cast<std::size_t>(i);
      if (n >= object->positions.size() || n >= object->base_positions.size()) continue;
      const Vector3 p{MqoNumber::ToDouble(words_[0]), MqoNumber::ToDouble(words_[1]), MqoNumber::ToDouble(words_[2])};
      object->base_positions[n] = p;
      object->positions[n] = p;
    }
    SkipLine();  // the chunk's closing brace, unexamined
  }

  void ReadFaces(MqoObject* object, std::int32_t count) {
    ReserveFaces(object, count);
    for (std::int32_t i = 0; i < count; ++i) {
      if (!NextWords(true)) return;
      ReadFace(object);
    }
    SkipLine();
  }

  // Room for the triangles of a face chunk where they are bound to go: with
  // no textured material so far, every face is untextured. The room is what
  // the rest of the file could hold, two triangles a line of at least ten
  // bytes ("4 V 0 1 2 3"). Otherwise the lists grow as they go.
  void ReserveFaces(MqoObject* object, std::int32_t count) {
    if (object == nullptr || count <= 0 || !object->untextured_faces.empty()) return;
    for (const MqoMaterial& material : model_.materials) {
      if (material.IsTextured()) return;
    }
    const std::size_t lines = std::min({static_cast<std::size_t>(count), total_lines_ - lines_.count(),
                                        lines_.bytes_left() / 10});
    object->untextured_faces.reserve(2 * lines);
  }

  // A triangle or quadrilateral, turned to face OpenGL's front and with v
  // flipped. Other corner counts add nothing.
  void ReadFace(MqoObject* object) {
    const std::int32_t corners = MqoNumber::ToInt(words_[0]);
    if (object == nullptr || (corners != 3 && corners != 4)) return;
    const std::size_t c = static_cast<std::size_t>(corners);
    const std::size_t size = words_.size();
    std::int32_t v[4] = {0, 0, 0, 0};
    TexCoord uv[4];
    bool has_corners = false;
    std::int32_t material = static_cast<std::int32_t>(material_count_);
    for (std::size_t t = 1; t < size;) {
      const std::string_view word = words_[t];
      if (word == "V" && t + c < size) {
        for (std::size_t k = 0; k < c; ++k) v[k] = MqoNumber::ToInt(words_[t + 1 + k]);
        has_corners = true;
        t += 1 + c;
      } else if (word == "M" && t + 1 < size) {
        material = MqoNumber::ToInt(words_[t + 1]);
        t += 2;
      } else if (word == "UV" && t + 2 * c < size) {
        for (std::size_t k = 0; k < c; ++k) {
          uv[k] = TexCoord{MqoNumber::ToDouble(words_[t + 1 + 2 * k]), 1.0 - MqoNumber::ToDouble(words_[t + 2 + 2 * k])};
        }
        t += 1 + 2 * c;
      } else {
        ++t;
      }
    }
    if (!has_corners) return;
    // Whether a face is textured is known from its material as set so far.
    if (material < 0 || static_cast<std::size_t>(material) >= model_.materials.size()) {
      material = static_cast<std::int32_t>(material_count_);
    }
    const bool textured = model_.materials[static_cast<std::size_t>(material)].IsTextured();
    std::vector<MqoFace>& faces = textured ? object->textured_faces : object->untextured_faces;
    faces.push_back(Triangle(v[0], v[2], v[1], uv[0], uv[2], uv[1], material));
    if (corners == 4) faces.push_back(Triangle(v[0], v[3], v[2], uv[0], uv[3], uv[2], material));
  }

  static MqoFace Triangle(std::int32_t a, std::int32_t b, std::int32_t c, const TexCoord& ta, const TexCoord& tb,
                          const TexCoord& tc, std::int32_t material) {
    MqoFace face;
    face.corner[0] = a;
    face.corner[1] = b;
    face.corner[2] = c;
    face.material = material;
    face.coordinate[0] = ta;
    face.coordinate[1] = tb;
    face.coordinate[2] = tc;
    return face;
  }

  MqoModel& model_;
  LineCursor lines_;
  std::string directory_;
  std::vector<std::string_view> words_;
  std::string prepared_;
  std::int32_t declared_materials_ = 0;
  std::size_t material_count_ = 0;  // N; materials_[N] is the extra white one
  std::size_t total_lines_ = 0;
  std::vector<CountedObject> counted_;
};

}  // namespace

void MqoReader::Read(MqoModel& model, const char* data, std::size_t size) { Decoder(model, data, size).Run(); }

}  // namespace woxa
