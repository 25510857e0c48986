// The font image: 256 x 128 texels of two bytes each (luminance, alpha),
// rows packed without padding, the first stored row at the bottom of the
// image. Every texel is (0, 0) or (255, 255). The image is a grid of 6 x 13
// cells, 32 to a row, counted from the top-left corner; code c sits in column
// c mod 32 of grid row c div 32. Codes 32 to 127 hold glyphs; every other
// cell and the unused margins are transparent.
#pragma once

#include <array>
#include <cstddef>

namespace woxa {

constexpr std::size_t kFontImageWidth = 256;
constexpr std::size_t kFontImageHeight = 128;
constexpr std::size_t kFontImageSize = kFontImageWidth * kFontImageHeight * 2;

using FontImage = std::array<unsigned char, kFontImageSize>;

// Expanded from the compact glyph table before main runs.
extern const FontImage kFontImage;

}  // namespace woxa
