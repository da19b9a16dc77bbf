// Text output on surfaces: the platform's DrawTextEx layout and TextOut, drawn with the surface's
// font (surface.font; a 12-point proportional gothic when none is set) in its text colour.
//
//   surface.font = gfx::Font::open({"ＭＳ Ｐゴシック", 16});
//   surface.textColor = gfx::rgb(255, 255, 0);
//   gfx::drawText(surface, "セーブしました", {0, 0, 200, 24}, gfx::kDtCenter | gfx::kDtVCenter | gfx::kDtSingleLine);
//   gfx::textOut(surface, 4, 3, "HP 120");
//
// With surface.transparentText false each line's cell is first filled with surface.backColor.
#pragma once

#include <string_view>

#include "gfx/font.h"
#include "gfx/path.h"
#include "gfx/rect.h"
#include "gfx/surface.h"

namespace gfx {

// DrawTextEx format flags (the platform's values).
enum DrawTextFlags : unsigned {
  kDtLeft = 0x0,
  kDtCenter = 0x1,
  kDtRight = 0x2,
  kDtVCenter = 0x4,  // single line only, as on the platform
  kDtBottom = 0x8,   // single line only
  kDtWordBreak = 0x10,
  kDtSingleLine = 0x20,
  kDtNoClip = 0x100,
  kDtCalcRect = 0x400,  // measure only: box gets the right and bottom the text needs
};

// The font drawText uses for a surface without one.
std::shared_ptr<const Font> defaultFont();

// Lays out and draws `utf8` in `box`; returns the height of the drawn text. Lines break at "\n"
// (a "\r" is dropped) unless kDtSingleLine; kDtWordBreak also wraps at the box's width, after a
// blank where there is one, else between any two characters. Drawing is clipped to the box
// unless kDtNoClip. With kDtCalcRect nothing is drawn and box.right / box.bottom are set.
int drawText(Surface& s, std::string_view utf8, Rect& box, unsigned flags);
inline int drawText(Surface& s, std::string_view utf8, const Rect& box, unsigned flags) {
  Rect b = box;
  return drawText(s, utf8, b, flags & ~kDtCalcRect);
}

// TextOut: one line with its top-left cell corner at (x, y), unclipped.
void textOut(Surface& s, int x, int y, std::string_view utf8);

// BeginPath, DrawTextEx, EndPath: the glyph outlines the same layout would draw.
Path textPath(const Font& font, std::string_view utf8, const Rect& box, unsigned flags);

// Fills `r` moved by (dx, dy) with c, through the surface's clip.
void fillRegionAt(Surface& s, const Region& r, int dx, int dy, Color c);

}  // namespace gfx
