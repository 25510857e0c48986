// A hidden window with an OpenGL rendering context made current, made the
// way a program makes one: a registered class, a hidden window, its device
// context, a chosen pixel format and a WGL context. The same code runs on
// Windows (under Wine here) and on the headless platform.
#pragma once

#include <vector>

#include "woxa/platform/win32.h"

namespace woxa_test {

class GlWindow {
 public:
  explicit GlWindow(int client_width = 64, int client_height = 64);
  ~GlWindow();
  GlWindow(const GlWindow&) = delete;
  GlWindow& operator=(const GlWindow&) = delete;

  bool ok() const { return context_ != nullptr; }
  HWND window() const { return window_; }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Sets an orthographic projection of one unit per pixel with y down and
  // the origin at the top-left corner, and identity modelview, viewport the
  // whole window.
  void UsePixelProjection() const;
  // The RGBA pixel at window position (x, y), y from the top, read from the
  // buffer being drawn into, as 0xRRGGBBAA.
  unsigned ReadPixel(int x, int y) const;

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC context_ = nullptr;
  int width_;
  int height_;
};

// Records what the GL calls between Begin and End emit, with feedback mode
// (GL_3D_COLOR_TEXTURE: positions in window coordinates, colour, texture
// coordinates).
struct FeedbackVertex {
  float x, y, z;
  float r, g, b, a;
  float s, t, p, q;
};
struct FeedbackPolygon {
  std::vector<FeedbackVertex> vertices;
};

class Feedback {
 public:
  explicit Feedback(int capacity = 1 << 16);
  void Begin();
  // Ends feedback and parses the buffer; false when the buffer overflowed.
  bool End();
  const std::vector<FeedbackPolygon>& polygons() const { return polygons_; }

 private:
  std::vector<float> buffer_;
  std::vector<FeedbackPolygon> polygons_;
};

}  // namespace woxa_test
