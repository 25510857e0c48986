// Feeds arbitrary bytes to the MQO reader as a whole file, then draws the
// model in a small GL context. Besides the sanitizers' checks it holds the
// reader to its contract: the vertex arrays of an object agree in size,
// every face names an existing material, children point into the model,
// nothing grows beyond the lines of the input, and the line splitter gives
// the words of Utility::Tokenize.
#include <sanitizer/lsan_interface.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/gl_window.h"
#include "woxa/model/mqo_reader.h"
#include "woxa/model/mqo_tokenizer.h"
#include "woxa/platform/win32.h"
#include "woxa/util/utility.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// A hidden window with a current context, made the way a program makes one.
// GL's own allocations are its business, not the reader's: they are kept
// out of the leak check.
bool MakeContext() {
  __lsan::ScopedDisabler not_ours;
  static woxa_test::GlWindow* window = new woxa_test::GlWindow(8, 8);
  return window->ok();
}

std::size_t LineCount(std::string_view text) {
  std::size_t lines = 0;
  for (std::size_t start = 0; start < text.size(); ++lines) {
    const std::size_t end = text.find('\n', start);
    start = end == std::string_view::npos ? text.size() : end + 1;
  }
  return lines;
}

void CheckSplitting(std::string_view text) {
  const woxa::Utility utility;
  std::vector<std::string> expected;
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (int line = 0; line < 32 && start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view piece = text.substr(start, end - start);
    const bool closed = utility.Tokenize(expected, std::string(piece));
    Require(woxa::MqoTokenizer::Split(piece, &words) == closed);
    Require(words.size() == expected.size());
    for (std::size_t i = 0; i < words.size(); ++i) Require(words[i] == expected[i]);
    start = end + 1;
  }
}

void CheckModel(const woxa::MqoModel& model, std::size_t lines) {
  Require(!model.materials.empty() && model.materials.size() <= lines + 1);
  std::size_t vertices = 0;
  std::size_t triangles = 0;
  for (const woxa::MqoObject& object : model.objects) {
    Require(object.positions.size() == object.base_positions.size());
    Require(object.normals.size() == object.base_positions.size());
    vertices += object.positions.size();
    for (const auto* faces : {&object.untextured_faces, &object.textured_faces}) {
      triangles += faces->size();
      for (const woxa::MqoFace& face : *faces) {
        Require(face.material >= 0 && static_cast<std::size_t>(face.material) < model.materials.size());
      }
    }
    for (const woxa::MqoObject* child : object.children) {
      Require(child >= model.objects.data() && child < model.objects.data() + model.objects.size());
    }
  }
  Require(model.objects.size() <= lines);
  Require(vertices <= lines);
  Require(triangles <= 2 * lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool has_context = MakeContext();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckSplitting(text);

  woxa::MqoModel model("fuzz/model.mqo", woxa::kModelTypeMqo);
  woxa::MqoReader::Read(model, text.data(), text.size());
  CheckModel(model, LineCount(text));

  if (has_context) {
    __lsan::ScopedDisabler not_ours;
    model.Draw();
    glFinish();
  }
  return 0;
}
