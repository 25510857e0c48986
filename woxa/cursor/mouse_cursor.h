// The textured mouse cursor: a quad drawn at the mouse position over
// everything else in the frame, showing the built-in 16 x 16 arrow or an
// image from the image cache. It also holds the window's current mouse
// position, which the window procedure writes on every mouse move.
#pragma once

#include <cstdint>

#include "woxa/image/image_handle.h"
#include "woxa/util/color.h"

namespace woxa {

// The built-in arrow: 16 x 16 RGBA texels, bottom row first.
extern const unsigned char kDefaultCursorImage[16 * 16 * 4];

class MouseCursor {
 public:
  MouseCursor() = default;
  ~MouseCursor();
  MouseCursor(const MouseCursor&) = delete;
  MouseCursor& operator=(const MouseCursor&) = delete;

  // Needs the window's GL context current.
  void CreateDefaultTexture();
  void Draw(std::uint32_t viewport_width, std::uint32_t viewport_height);
  // Makes the image the cursor's picture; a null handle changes nothing
  // but the image held, so the previous texture stays.
  void SetImage(const ImageHandle& handle);
  // Back to the arrow.
  void SetDefault();
  // Deletes the texture and resets position, hot spot and tint; keeps the
  // image.
  void Release();

  std::int32_t x = 0;
  std::int32_t y = 0;
  ImageHandle image;
  std::int32_t hot_spot_x = 0;
  std::int32_t hot_spot_y = 0;
  Color tint{255, 255, 255, 255};
  std::uint32_t texture = 0;
  bool texture_created = false;

 private:
  void CreateTexture(std::int32_t width, std::int32_t height, const unsigned char* pixels);
  std::int32_t PictureWidth() const;
  std::int32_t PictureHeight() const;
};

}  // namespace woxa
