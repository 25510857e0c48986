#include "tests/support/gl_window.h"

namespace woxa_test {
namespace {

const char kClassName[] = "WOXATestGLWindow";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterOnce() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  registered = RegisterClassExA(&wc) != 0;
  return registered;
}

}  // namespace

GlWindow::GlWindow(int client_width, int client_height) : width_(client_width), height_(client_height) {
  if (!RegisterOnce()) return;
  DWORD style = WS_CAPTION | WS_SYSMENU;
  RECT rect{0, 0, client_width, client_height};
  AdjustWindowRect(&rect, style, FALSE);
  window_ = CreateWindowExA(0, kClassName, "test", style, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) return;
  dc_ = GetDC(window_);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  int format = ChoosePixelFormat(dc_, &pfd);
  if (format == 0 || !SetPixelFormat(dc_, format, &pfd)) return;
  HGLRC context = wglCreateContext(dc_);
  if (context == nullptr) return;
  if (!wglMakeCurrent(dc_, context)) {
    wglDeleteContext(context);
    return;
  }
  context_ = context;
  glViewport(0, 0, width_, height_);
}

GlWindow::~GlWindow() {
  if (context_ != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
  }
  if (dc_ != nullptr) ReleaseDC(window_, dc_);
  if (window_ != nullptr) DestroyWindow(window_);
}

void GlWindow::UsePixelProjection() const {
  glViewport(0, 0, width_, height_);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width_, height_, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

unsigned GlWindow::ReadPixel(int x, int y) const {
  unsigned char p[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return (unsigned{p[0]} << 24) | (unsigned{p[1]} << 16) | (unsigned{p[2]} << 8) | unsigned{p[3]};
}

Feedback::Feedback(int capacity) : buffer_(static_cast<size_t>(capacity)) {}

void Feedback::Begin() {
  glFeedbackBuffer(static_cast<GLsizei>(buffer_.size()), GL_3D_COLOR_TEXTURE, buffer_.data());
  glRenderMode(GL_FEEDBACK);
}

bool Feedback::End() {
  GLint n = glRenderMode(GL_RENDER);
  polygons_.clear();
  if (n < 0) return false;
  // GL_3D_COLOR_TEXTURE vertices are 3 + 4 + 4 values.
  auto vertex_at = [this](GLint& i) {
    FeedbackVertex v;
    float* f = &buffer_[static_cast<size_t>(i)];
    v = FeedbackVertex{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10]};
    i += 11;
    return v;
  };
  for (GLint i = 0; i < n;) {
    GLint token = static_cast<GLint>(buffer_[static_cast<size_t>(i++)]);
    if (token == GL_POLYGON_TOKEN) {
      GLint count = static_cast<GLint>(buffer_[static_cast<size_t>(i++)]);
      FeedbackPolygon polygon;
      for (GLint k = 0; k < count; ++k) polygon.vertices.push_back(vertex_at(i));
      polygons_.push_back(polygon);
    } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
               token == GL_COPY_PIXEL_TOKEN) {
      vertex_at(i);
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      vertex_at(i);
      vertex_at(i);
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace woxa_test
