// The toolkit's message loop against a bare PeekMessageA/SwapBuffers loop on
// the same kind of window and context, in one run: frames per second of
// each and their ratio. The toolkit's loop should keep at least 95 % of the
// bare loop's rate.
//
//   cmake --preset linux && cmake --build --preset linux --target main_loop_bench
//   build/linux/bench/main_loop_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "woxa/framework/library.h"
#include "woxa/framework/main_window.h"
#include "woxa/platform/win32.h"

namespace {

constexpr int kFrames = 3000;

class EmptyWindow : public woxa::MainWindow {
 public:
  int frames = 0;
  void OnDraw() override {
    if (++frames == kFrames) RequestLeave();
  }
};

LRESULT CALLBACK BareProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// A window and context made like the toolkit makes them, driven by the
// plainest loop.
double BareLoopSeconds() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BareLoop";
  static const ATOM atom = RegisterClassExA(&wc);
  (void)atom;
  RECT r{0, 0, 800, 600};
  AdjustWindowRect(&r, WS_CAPTION | WS_SYSMENU, FALSE);
  HWND window = CreateWindowExA(0, "BareLoop", "bare", WS_CAPTION | WS_SYSMENU, 100, 100, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 32;
  SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);
  HGLRC context = wglCreateContext(dc);
  wglMakeCurrent(dc, context);
  ShowWindow(window, SW_SHOWNORMAL);
  auto start = std::chrono::steady_clock::now();
  MSG message;
  for (int frames = 0; frames < kFrames;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
      continue;
    }
    SwapBuffers(dc);
    ++frames;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  return seconds;
}

// MainWindow::Run can run once per process (one window class), so the
// toolkit's loop is timed once and the bare loop around it.
double ToolkitLoopSeconds() {
  EmptyWindow window;
  window.state.frame_flags[woxa::kFrameSwap] = 1;
  window.Create();
  auto start = std::chrono::steady_clock::now();
  window.Run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LoopRatio(benchmark::State& state) {
  double bare = 0, toolkit = 0;
  for (auto _ : state) {
    bare += BareLoopSeconds();
    toolkit += ToolkitLoopSeconds();
    bare += BareLoopSeconds();
    bare /= 2;
  }
  state.counters["bare_fps"] = kFrames / bare;
  state.counters["toolkit_fps"] = kFrames / toolkit;
  state.counters["toolkit_rate_ratio"] = bare / toolkit;
  std::printf("toolkit loop keeps %.1f %% of the bare loop's frame rate\n", 100.0 * bare / toolkit);
}
BENCHMARK(BM_LoopRatio)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  woxa::LibraryStartupAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  woxa::LibraryShutdown();
  return 0;
}
