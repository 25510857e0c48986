// A full 800 x 600 screen of coloured text, 132 columns by 46 lines with a
// colour change every 12 characters, drawn by Font::DrawColoredLines and by
// a hand-written loop that issues the same GL calls. Two settings: "drawn"
// rasterises every glyph and waits with glFinish, as a frame does; "culled"
// culls every quad after vertex processing, so that the cost of issuing the
// calls, where the two can differ, is not hidden by the rasteriser. Each
// pair runs in one program, their repetitions interleaved at random, and
// the ratios of the fastest repetitions are printed at the end. The
// rasteriser is kept on the calling thread (LP_NUM_THREADS=0) and times are
// CPU times, so that a busy machine moves both sides alike.
//
//   cmake --preset linux && cmake --build build/linux --target text_bench && build/linux/bench/text_bench
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "tests/support/gl_window.h"
#include "woxa/platform/win32.h"
#include "woxa/text/font.h"
#include "woxa/text/font_image.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kColumns = 132;
constexpr int kRows = 46;
constexpr int kRunLength = 12;

// A hidden window with a current context, made the way a program makes one.
bool MakeContext() {
  static woxa_test::GlWindow window(kWidth, kHeight);
  return window.ok();
}

// The overlay every caller of the font sets up, once for the whole run.
void SetUpOverlay() {
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kWidth, kHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

std::deque<woxa::ColoredLine> Screen() {
  static const woxa::Color kPalette[] = {
      {255, 255, 255, 255}, {255, 96, 96, 255}, {96, 255, 96, 255}, {96, 160, 255, 255}, {255, 224, 64, 255}};
  std::deque<woxa::ColoredLine> lines;
  for (int row = 0; row < kRows; ++row) {
    woxa::ColoredLine line;
    for (int column = 0; column < kColumns; ++column) {
      line.text += static_cast<char>(33 + (row * 7 + column) % 94);
      if (column % kRunLength == 0) line.runs.push_back({kPalette[(row + column / kRunLength) % 5], column});
    }
    lines.push_back(line);
  }
  return lines;
}

// The same GL calls as the font makes, written out by hand: the texture and
// its state once, one primitive, a colour per run and a quad per glyph with
// texture coordinates looked up in a table made beforehand.
class HandWritten {
 public:
  HandWritten() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, 256, 128, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 woxa::kFontImage.data());
    for (int code = 32; code < 128; ++code) {
      const int sx = 6 * (code % 32), ty = 128 - 13 * (code / 32);
      s0_[code] = sx / 256.0f;
      s1_[code] = (sx + 6) / 256.0f;
      t_top_[code] = ty / 128.0f;
      t_bottom_[code] = (ty - 13) / 128.0f;
    }
  }

  void Draw(const std::deque<woxa::ColoredLine>& lines) const {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    int y = 0;
    for (const auto& line : lines) {
      std::size_t k = 0;
      int x = 0;
      for (std::size_t j = 0; j < line.text.size(); ++j, x += 6) {
        if (k < line.runs.size() && line.runs[k].start == static_cast<std::int32_t>(j)) {
          glColor4ubv(line.runs[k++].color.data());
        }
        const int code = static_cast<signed char>(line.text[j]);
        if (code < 32) continue;
        glTexCoord2f(s0_[code], t_top_[code]);
        glVertex3i(x, y, 0);
        glTexCoord2f(s0_[code], t_bottom_[code]);
        glVertex3i(x, y + 13, 0);
        glTexCoord2f(s1_[code], t_bottom_[code]);
        glVertex3i(x + 6, y + 13, 0);
        glTexCoord2f(s1_[code], t_top_[code]);
        glVertex3i(x + 6, y, 0);
      }
      y += 13;
    }
    glEnd();
  }

 private:
  GLuint texture_ = 0;
  float s0_[128] = {}, s1_[128] = {}, t_top_[128] = {}, t_bottom_[128] = {};
};

struct Fixture {
  std::deque<woxa::ColoredLine> lines = Screen();
  woxa::Font font;
  HandWritten hand;
};

Fixture* fixture = nullptr;

void SetCulling(bool culled) {
  glCullFace(GL_FRONT_AND_BACK);
  if (culled) {
    glEnable(GL_CULL_FACE);
  } else {
    glDisable(GL_CULL_FACE);
  }
}

template <bool kCulled>
void BM_Woxa(benchmark::State& state) {
  SetCulling(kCulled);
  for (auto _ : state) {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    fixture->font.DrawColoredLines(fixture->lines, 1, 0, fixture->lines.size(), 0, 0);
    glPopAttrib();
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}

template <bool kCulled>
void BM_HandWritten(benchmark::State& state) {
  SetCulling(kCulled);
  for (auto _ : state) {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    fixture->hand.Draw(fixture->lines);
    glPopAttrib();
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}

BENCHMARK_TEMPLATE(BM_Woxa, false)->Name("drawn/woxa")->Unit(benchmark::kMicrosecond)->Repetitions(7);
BENCHMARK_TEMPLATE(BM_HandWritten, false)->Name("drawn/hand")->Unit(benchmark::kMicrosecond)->Repetitions(7);
BENCHMARK_TEMPLATE(BM_Woxa, true)->Name("culled/woxa")->Unit(benchmark::kMicrosecond)->Repetitions(7);
BENCHMARK_TEMPLATE(BM_HandWritten, true)->Name("culled/hand")->Unit(benchmark::kMicrosecond)->Repetitions(7);

// Keeps the fastest repetition of each benchmark, the one least disturbed by
// whatever else runs on the machine.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.run_name.function_name;
      const double t = run.GetAdjustedCPUTime();
      auto it = best_.find(name);
      if (it == best_.end() || t < it->second) best_[name] = t;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatio(const char* setting) const {
    auto woxa = best_.find(std::string(setting) + "/woxa");
    auto hand = best_.find(std::string(setting) + "/hand");
    if (woxa == best_.end() || hand == best_.end()) return;
    std::printf("%s: woxa %.1f us, hand-written %.1f us, ratio %.3f\n", setting, woxa->second, hand->second,
                woxa->second / hand->second);
  }

 private:
  std::map<std::string, double> best_;
};

}  // namespace

int main(int argc, char** argv) {
  // Before the context exists, or the rasteriser starts its own threads.
  setenv("LP_NUM_THREADS", "0", 0);
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int arg_count = static_cast<int>(args.size());
  benchmark::Initialize(&arg_count, args.data());
  if (!MakeContext()) {
    std::fprintf(stderr, "text_bench: no GL context\n");
    return 1;
  }
  SetUpOverlay();
  std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  Fixture f;
  fixture = &f;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("drawn");
  reporter.PrintRatio("culled");
  fixture = nullptr;
  benchmark::Shutdown();
  return 0;
}
