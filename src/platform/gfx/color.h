// Colours are whole numbers red + 256 * green + 65536 * blue, exactly as the game writes them.
// Surfaces store pixels in that same layout, so a colour value is a pixel value.
#pragma once

#include <cstdint>

namespace gfx {

using Color = uint32_t;

// GetPixel's answer for a point outside the surface or its clip.
constexpr Color kInvalidColor = 0xFFFFFFFFu;

constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int red(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kMagenta = rgb(255, 0, 255);
constexpr Color kRed = rgb(255, 0, 0);

}  // namespace gfx
