// One frame of demo_widgets' forms drawn by the toolkit against a
// hand-written frame that issues the same GL calls, in one run: the time of
// each and their ratio. The toolkit's frame should cost at most 10 % more.
//
// The forms are those of demo_widgets, set up the same way (same factories,
// same order, same files, read from demos/data) in a MainWindow whose hidden
// window has its GL context made but is never shown or run. The reference
// draws the same quads and glyphs with the same calls from precomputed
// numbers: no forms, no virtual calls, no flag arrays, no text layout. Both
// frames are checked to give the same pixels before anything is timed.
//
// Two sizes are timed. At 800 x 600 the frame is what the program pays;
// there, filling pixels dominates. With the viewport cut to 8 x 6 pixels the
// same calls fill almost nothing, so what is left is the cost of issuing
// them, where the toolkit's own overhead would show. The toolkit is also
// timed with the profiler on, as demo_widgets starts, which books every
// form under "[WOXA]Draw Form".
//
//   cmake --preset linux && cmake --build --preset linux --target forms_frame_bench
//   build/linux/bench/forms_frame_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "woxa/forms/background_image_form.h"
#include "woxa/forms/image_form.h"
#include "woxa/forms/push_button.h"
#include "woxa/forms/text_box.h"
#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/platform/win32.h"
#include "woxa/text/font_image.h"
#include "woxa/timing/profiler.h"

namespace {

constexpr int kFramesPerBlock = 40;
constexpr int kRounds = 15;

// demo_widgets' forms, created and configured as its OnCreate does.
struct WidgetForms {
  explicit WidgetForms(woxa::Scene& scene) {
    woxa::BackgroundImageForm* background = scene.CreateBackgroundImageForm();
    background->LoadImage("background.TGA");
    background->left_s = 0.0f;
    background->right_s = 5.0f;
    background->top_t = 0.0f;
    background->bottom_t = 4.0f;
    picture = scene.CreateImageForm();
    picture->SetPosition(10, 300);
    picture->SetSize(300, 200);
    picture->LoadImage("texrect.TGA");
    woxa::ImageForm* panel = scene.CreateImageForm();
    panel->SetPosition(300, 10);
    panel->SetSize(100, 100);
    panel->color = woxa::Color{255, 0, 255, 127};
    woxa::TextBox* text_box = scene.CreateTextBox();
    text_box->backdrop_shown.Set(0);
    text_box->color = woxa::Color{63, 63, 63, 127};
    text_box->SetPosition(400, 300);
    text_box->SetSize(300, 200);
    text_box->Printf("WOXATextBox\n");
    const char* captions[] = {"Profiler", "scale x2", "scale x1"};
    for (int i = 0; i < 3; ++i) {
      woxa::PushButton* button = scene.CreatePushButton();
      button->SetCaption(captions[i]);
      button->SetPosition(400 + 100 * i, 280);
      button->SetSize(100, 20);
    }
    background_texture = background->texture;
  }
  woxa::ImageForm* picture;
  std::uint32_t background_texture;
};

// ------------------------------------------------------------ the reference

struct GlyphVertex {
  float s, t;
  int x, y;
};

struct ReferenceText {
  std::vector<GlyphVertex> vertices;  // four a glyph
};

struct Reference {
  GLuint background = 0;
  GLuint picture = 0;
  GLuint font = 0;
  ReferenceText text_box;
  ReferenceText captions[3];
};

ReferenceText LayOut(const char* text, int x, int y) {
  ReferenceText out;
  const float w = static_cast<float>(woxa::kFontImageWidth);
  const float h = static_cast<float>(woxa::kFontImageHeight);
  for (int pen = x; *text != '\0'; ++text, pen += 6) {
    const int code = static_cast<unsigned char>(*text);
    const int sx = 6 * (code % 32);
    const int ty = static_cast<int>(woxa::kFontImageHeight) - 13 * (code / 32);
    const float s0 = static_cast<float>(sx) / w, s1 = static_cast<float>(sx + 6) / w;
    const float t0 = static_cast<float>(ty) / h, t1 = static_cast<float>(ty - 13) / h;
    out.vertices.push_back({s0, t0, pen, y});
    out.vertices.push_back({s0, t1, pen, y + 13});
    out.vertices.push_back({s1, t1, pen + 6, y + 13});
    out.vertices.push_back({s1, t0, pen + 6, y});
  }
  return out;
}

Reference MakeReference(const WidgetForms& forms) {
  Reference r;
  r.background = forms.background_texture;
  r.picture = forms.picture->texture;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGenTextures(1, &r.font);
  glBindTexture(GL_TEXTURE_2D, r.font);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, woxa::kFontImageWidth, woxa::kFontImageHeight, 0,
               GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, woxa::kFontImage.data());
  r.text_box = LayOut("WOXATextBox", 400, 300);
  // 20-pixel buttons centre the 13-pixel caption 3 pixels down.
  r.captions[0] = LayOut("Profiler", 400, 283);
  r.captions[1] = LayOut("scale x2", 500, 283);
  r.captions[2] = LayOut("scale x1", 600, 283);
  return r;
}

void Open() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 800.0, 600.0, 0.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
}

void Close() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

void BindRepeatLinear(GLuint texture) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void Quad(float l, float t, float r, float b, bool textured, float s0 = 0, float s1 = 0, float t0 = 0,
          float t1 = 0) {
  glBegin(GL_QUADS);
  if (textured) glTexCoord2f(s0, t0);
  glVertex3f(l, t, 0.0f);
  if (textured) glTexCoord2f(s0, t1);
  glVertex3f(l, b, 0.0f);
  if (textured) glTexCoord2f(s1, t1);
  glVertex3f(r, b, 0.0f);
  if (textured) glTexCoord2f(s1, t0);
  glVertex3f(r, t, 0.0f);
  glEnd();
}

void ColouredQuad(const GLubyte* colour, float l, float t, float r, float b) {
  Open();
  glColor4ubv(colour);
  glDisable(GL_TEXTURE_2D);
  Quad(l, t, r, b, false);
  Close();
}

void Text(const Reference& r, const GLubyte* colour, const ReferenceText& text) {
  glColor4ubv(colour);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, r.font);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBegin(GL_QUADS);
  for (const GlyphVertex& v : text.vertices) {
    glTexCoord2f(v.s, v.t);
    glVertex3i(v.x, v.y, 0);
  }
  glEnd();
}

void ReferenceFrame(const Reference& r) {
  static const GLubyte kWhite[4] = {255, 255, 255, 255};
  static const GLubyte kBlack[4] = {0, 0, 0, 255};
  static const GLubyte kMagenta[4] = {255, 0, 255, 127};
  static const GLubyte kBoxGrey[4] = {63, 63, 63, 127};
  static const GLubyte kButtonGrey[4] = {191, 191, 191, 191};
  Open();
  glColor4ubv(kWhite);
  BindRepeatLinear(r.background);
  Quad(0, 0, 800, 600, true, 0.0f, 5.0f, 0.0f, 4.0f);
  Close();
  Open();
  glColor4ubv(kWhite);
  BindRepeatLinear(r.picture);
  Quad(10, 300, 310, 500, true, 0.0f, 1.0f, 1.0f, 0.0f);
  Close();
  ColouredQuad(kMagenta, 300, 10, 400, 110);
  Open();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  ColouredQuad(kBoxGrey, 400, 300, 700, 500);
  Text(r, kWhite, r.text_box);
  Close();
  for (int i = 0; i < 3; ++i) {
    Open();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    const float left = static_cast<float>(400 + 100 * i);
    ColouredQuad(kButtonGrey, left, 280, left + 100, 300);
    Text(r, kBlack, r.captions[i]);
    Close();
  }
}

// ------------------------------------------------------------ the timing

class HiddenWindow : public woxa::MainWindow {};

std::vector<unsigned char> Pixels() {
  std::vector<unsigned char> pixels(800 * 600 * 4);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

template <typename Frame>
std::vector<unsigned char> DrawnAlone(Frame frame) {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  frame();
  glFinish();
  return Pixels();
}

template <typename Frame>
double BlockSeconds(Frame frame) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kFramesPerBlock; ++i) frame();
  glFinish();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Timing {
  double reference, toolkit, profiled;  // median seconds a frame
};

// Rounds alternate the order of the three so that drift and neighbours on
// the machine fall on all of them alike.
Timing Time(woxa::MainWindow& window, const Reference& reference) {
  woxa::Profiler* profiler = woxa::Profiler::Instance();
  auto toolkit = [&] { window.DrawForms(); };
  auto profiled = [&] {
    profiler->Enabled.Set(0);
    window.DrawForms();
    profiler->Reset();
    profiler->Enabled.Reset(0);
  };
  auto ref = [&] { ReferenceFrame(reference); };
  std::vector<double> r, t, p;
  BlockSeconds(ref), BlockSeconds(toolkit), BlockSeconds(profiled);  // warm-up
  for (int round = 0; round < kRounds; ++round) {
    if (round % 2 == 0) {
      r.push_back(BlockSeconds(ref)), t.push_back(BlockSeconds(toolkit)), p.push_back(BlockSeconds(profiled));
    } else {
      p.push_back(BlockSeconds(profiled)), t.push_back(BlockSeconds(toolkit)), r.push_back(BlockSeconds(ref));
    }
  }
  return {Median(r) / kFramesPerBlock, Median(t) / kFramesPerBlock, Median(p) / kFramesPerBlock};
}

void Report(benchmark::State& state, const char* label, const char* key, const Timing& t) {
  state.counters[std::string(key) + "_reference_us"] = t.reference * 1e6;
  state.counters[std::string(key) + "_toolkit_us"] = t.toolkit * 1e6;
  state.counters[std::string(key) + "_ratio"] = t.toolkit / t.reference;
  state.counters[std::string(key) + "_profiled_ratio"] = t.profiled / t.reference;
  std::printf("%s: reference %.1f us, toolkit %.1f us (ratio %.3f), with the profiler on %.1f us (ratio %.3f)\n",
              label, t.reference * 1e6, t.toolkit * 1e6, t.toolkit / t.reference, t.profiled * 1e6,
              t.profiled / t.reference);
}

void RunFormsFrame(benchmark::State& state, woxa::MainWindow& window) {
  const WidgetForms forms(window);
  if (!forms.picture->image) {
    state.SkipWithError("texrect.TGA not found: run from a source tree with demos/data");
    return;
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glShadeModel(GL_SMOOTH);
  glViewport(0, 0, 800, 600);
  const Reference reference = MakeReference(forms);
  const bool same = DrawnAlone([&] { window.DrawForms(); }) == DrawnAlone([&] { ReferenceFrame(reference); });
  std::printf("toolkit and reference frames give the same pixels: %s\n", same ? "yes" : "NO");
  if (!same) state.SkipWithError("the reference does not draw what the toolkit draws");
  for (auto _ : state) {
    glViewport(0, 0, 800, 600);
    Report(state, "800 x 600 frame", "full", Time(window, reference));
    glViewport(0, 0, 8, 6);
    Report(state, "same calls into an 8 x 6 viewport", "calls", Time(window, reference));
  }
  glDeleteTextures(1, &reference.font);
}

void BM_FormsFrame(benchmark::State& state) {
  HiddenWindow window;
  if (!window.Create() || !window.CreateGLContext()) {
    state.SkipWithError("no window or GL context");
    return;
  }
  RunFormsFrame(state, window);
  window.ReleaseGLContext();
}
BENCHMARK(BM_FormsFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The forms load their pictures by bare name, as the program does, from
  // the folder the program runs in.
  std::error_code ignored;
  std::filesystem::current_path(std::filesystem::path(__FILE__).parent_path() / ".." / "demos" / "data", ignored);
  woxa::LibraryStartupAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  woxa::LibraryShutdown();
  return 0;
}
