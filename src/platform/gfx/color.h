// Colours are whole numbers red + 256 * green + 65536 * blue, exactly as the game writes them.
// Surfaces store pixels in that same layout, so a colour value is a pixel value.
#pragma once

#include <cstdint>

namespace gfx {

using Color = uint32_t;

// GetPixel's answer for a point outside the surface.
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

// System colours are written 0x80000000 + index (button face is 0x8000000F). The values are the
// classic desktop scheme, which the game's art was made against.
constexpr bool isSystemColor(Color c) { return (c & 0xFF000000u) == 0x80000000u; }
constexpr Color sysColor(int index) {
  constexpr Color kTable[] = {
      rgb(192, 192, 192),  // 0 scroll bar
      rgb(0, 128, 128),    // 1 desktop
      rgb(0, 0, 128),      // 2 active caption
      rgb(128, 128, 128),  // 3 inactive caption
      rgb(192, 192, 192),  // 4 menu
      rgb(255, 255, 255),  // 5 window
      rgb(0, 0, 0),        // 6 window frame
      rgb(0, 0, 0),        // 7 menu text
      rgb(0, 0, 0),        // 8 window text
      rgb(255, 255, 255),  // 9 caption text
      rgb(192, 192, 192),  // 10 active border
      rgb(192, 192, 192),  // 11 inactive border
      rgb(128, 128, 128),  // 12 application workspace
      rgb(0, 0, 128),      // 13 highlight
      rgb(255, 255, 255),  // 14 highlight text
      rgb(192, 192, 192),  // 15 button face
      rgb(128, 128, 128),  // 16 button shadow
      rgb(128, 128, 128),  // 17 grey text
      rgb(0, 0, 0),        // 18 button text
      rgb(192, 192, 192),  // 19 inactive caption text
      rgb(255, 255, 255),  // 20 button highlight
      rgb(0, 0, 0),        // 21 3-D dark shadow
      rgb(192, 192, 192),  // 22 3-D light
      rgb(0, 0, 0),        // 23 tooltip text
      rgb(255, 255, 225),  // 24 tooltip back
      rgb(180, 180, 180),  // 25 (unused)
      rgb(0, 0, 255),      // 26 hot-tracked item
      rgb(16, 132, 208),   // 27 active caption gradient
      rgb(181, 181, 181),  // 28 inactive caption gradient
      rgb(0, 0, 128),      // 29 menu highlight
      rgb(192, 192, 192),  // 30 menu bar
  };
  return index >= 0 && index < static_cast<int>(sizeof kTable / sizeof kTable[0]) ? kTable[index] : kBlack;
}
// A colour as drawing sees it: system colours become their RGB value, anything else is kept
// as it is (a value with other high bits then matches no pixel).
constexpr Color translateColor(Color c) { return isSystemColor(c) ? sysColor(static_cast<int>(c & 0xFFFFFFu)) : c; }

}  // namespace gfx
