// Lettering baked into pictures (button labels, digits, the kanji on facility tiles).
// Rendered with FreeType at fixed sizes with hinting off, so every build gives the same pixels.
#pragma once

#include <string>

#include "draw.h"

namespace picgen {

enum class Face {
  Heavy,  // a black-weight display gothic: button and top-bar lettering
  Bold,   // a bold gothic for small labels
  Plain,  // the ordinary gothic
};

struct TextStyle {
  Face face = Face::Heavy;
  int px = 14;                 // em height in pixels
  Color top = gfx::kWhite;     // fill at the top of the ink...
  Color bottom = gfx::kWhite;  // ...and at its bottom (a vertical gradient)
  int outline = 0;             // outline width in pixels (0 = none)
  Color outlineColor = gfx::kBlack;
  int shadow = 0;  // drop shadow offset to the lower right (0 = none)
  Color shadowColor = gfx::kBlack;
  bool smooth = true;  // anti-aliased edges blended over the picture; false = hard edges only
  int maxWidth = 0;    // condense horizontally to fit this many pixels of ink (0 = never)
};

// The ink rectangle of the text if drawn with its pen origin at (0, 0) (top of the em box).
Rect measureText(const std::string& utf8, const TextStyle& st);
// Draws the text with the em box's top-left at (x, y).
void drawText(Surface& s, int x, int y, const std::string& utf8, const TextStyle& st);
// Draws the text with its ink (outline included) centred in r.
void drawTextCentered(Surface& s, Rect r, const std::string& utf8, const TextStyle& st);
// Draws the text with its ink's left edge at x and centred vertically in [top, bottom).
void drawTextLeft(Surface& s, int x, int top, int bottom, const std::string& utf8, const TextStyle& st);

}  // namespace picgen
