// Device contexts, the one pixel format on offer, rendering contexts and the
// buffer swap, over OSMesa.
//
// Each window owns a colour buffer of its client area's size; a rendering
// context made current on the window's device context renders into it, and
// SwapBuffers copies the finished frame into the window's capture, where
// tests read it. Like WGL, a pixel format is set once per window and a
// rendering context can only be made for a device context that has one.
#include <GL/osmesa.h>

#include <algorithm>
#include <cstring>

#include "woxa/platform/headless/state.h"

namespace woxa {
namespace headless {
namespace {

struct RenderingContext {
  OSMesaContext mesa = nullptr;
};

struct GlState {
  std::vector<std::unique_ptr<RenderingContext>> contexts;
  RenderingContext* current = nullptr;
  Window* current_window = nullptr;
};

GlState& Gl() {
  static GlState state;
  return state;
}

RenderingContext* FindContext(HGLRC handle) {
  for (auto& c : Gl().contexts) {
    if (reinterpret_cast<HGLRC>(c.get()) == handle) return c.get();
  }
  return nullptr;
}

// The format every window is offered: 32-bit RGBA, 24-bit depth, 8-bit
// stencil, double-buffered, like a common desktop driver's first choice.
PIXELFORMATDESCRIPTOR OfferedFormat() {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cRedBits = pfd.cGreenBits = pfd.cBlueBits = pfd.cAlphaBits = 8;
  pfd.cRedShift = 0;
  pfd.cGreenShift = 8;
  pfd.cBlueShift = 16;
  pfd.cAlphaShift = 24;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

bool Bind(RenderingContext* context, Window* window) {
  RECT c = ClientRectOnScreen(*window);
  int width = std::max(1, static_cast<int>(c.right - c.left));
  int height = std::max(1, static_cast<int>(c.bottom - c.top));
  window->back_buffer.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  if (!OSMesaMakeCurrent(context->mesa, window->back_buffer.data(), GL_UNSIGNED_BYTE, width, height)) return false;
  Gl().current = context;
  Gl().current_window = window;
  return true;
}

void Unbind() {
  OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
  Gl().current = nullptr;
  Gl().current_window = nullptr;
}

}  // namespace

void GlWindowDestroyed(Window& window) {
  if (Gl().current_window == &window) Unbind();
}

void ClientSizeChanged(Window& window) {
  if (Gl().current_window == &window) Bind(Gl().current, &window);
}

std::uint32_t Capture::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  size_t i = (static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
  return (std::uint32_t{rgba[i]} << 24) | (std::uint32_t{rgba[i + 1]} << 16) | (std::uint32_t{rgba[i + 2]} << 8) |
         std::uint32_t{rgba[i + 3]};
}

const Capture* CaptureOf(HWND handle) {
  Window* w = FindWindow(handle);
  return w != nullptr ? &w->capture : nullptr;
}

}  // namespace headless
}  // namespace woxa

using woxa::headless::Gl;
using woxa::headless::Window;
using woxa::headless::WindowOfDc;

HDC WINAPI GetDC(HWND handle) {
  Window* w = woxa::headless::FindWindow(handle);
  return w != nullptr ? reinterpret_cast<HDC>(&w->dc) : nullptr;
}

int WINAPI ReleaseDC(HWND, HDC dc) { return WindowOfDc(dc) != nullptr ? 1 : 0; }

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
  if (WindowOfDc(dc) == nullptr || descriptor == nullptr) return 0;
  if (descriptor->iPixelType != PFD_TYPE_RGBA) return 0;
  return 1;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
  Window* w = WindowOfDc(dc);
  if (w == nullptr || format != 1) return FALSE;
  if (w->dc.pixel_format != 0 && w->dc.pixel_format != format) return FALSE;
  w->dc.pixel_format = format;
  return TRUE;
}

int WINAPI GetPixelFormat(HDC dc) {
  Window* w = WindowOfDc(dc);
  return w != nullptr ? w->dc.pixel_format : 0;
}

int WINAPI DescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* descriptor) {
  if (WindowOfDc(dc) == nullptr) return 0;
  if (descriptor != nullptr) {
    if (format != 1 || size < sizeof(PIXELFORMATDESCRIPTOR)) return 0;
    *descriptor = woxa::headless::OfferedFormat();
  }
  return 1;  // the number of formats on offer
}

HGLRC WINAPI wglCreateContext(HDC dc) {
  Window* w = WindowOfDc(dc);
  if (w == nullptr || w->dc.pixel_format == 0) return nullptr;
  PIXELFORMATDESCRIPTOR pfd = woxa::headless::OfferedFormat();
  OSMesaContext mesa = OSMesaCreateContextExt(OSMESA_RGBA, pfd.cDepthBits, pfd.cStencilBits, 0, nullptr);
  if (mesa == nullptr) return nullptr;
  auto context = std::make_unique<woxa::headless::RenderingContext>();
  context->mesa = mesa;
  HGLRC handle = reinterpret_cast<HGLRC>(context.get());
  Gl().contexts.push_back(std::move(context));
  return handle;
}

BOOL WINAPI wglDeleteContext(HGLRC handle) {
  auto* context = woxa::headless::FindContext(handle);
  if (context == nullptr) return FALSE;
  if (Gl().current == context) woxa::headless::Unbind();
  OSMesaDestroyContext(context->mesa);
  auto& contexts = Gl().contexts;
  contexts.erase(std::remove_if(contexts.begin(), contexts.end(), [context](const auto& p) { return p.get() == context; }),
                 contexts.end());
  return TRUE;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC handle) {
  if (handle == nullptr) {
    woxa::headless::Unbind();
    return TRUE;
  }
  auto* context = woxa::headless::FindContext(handle);
  Window* w = WindowOfDc(dc);
  if (context == nullptr || w == nullptr || w->dc.pixel_format == 0) return FALSE;
  return woxa::headless::Bind(context, w) ? TRUE : FALSE;
}

HGLRC WINAPI wglGetCurrentContext(void) { return reinterpret_cast<HGLRC>(Gl().current); }

HDC WINAPI wglGetCurrentDC(void) {
  return Gl().current_window != nullptr ? reinterpret_cast<HDC>(&Gl().current_window->dc) : nullptr;
}

BOOL WINAPI SwapBuffers(HDC dc) {
  Window* w = WindowOfDc(dc);
  if (w == nullptr || w->dc.pixel_format == 0) return FALSE;
  if (Gl().current_window == w) glFinish();
  RECT c = woxa::headless::ClientRectOnScreen(*w);
  woxa::headless::Capture& capture = w->capture;
  capture.width = std::max(1, static_cast<int>(c.right - c.left));
  capture.height = std::max(1, static_cast<int>(c.bottom - c.top));
  capture.rgba.assign(w->back_buffer.begin(), w->back_buffer.end());
  capture.rgba.resize(static_cast<size_t>(capture.width) * static_cast<size_t>(capture.height) * 4);
  ++capture.frames;
  return TRUE;
}
