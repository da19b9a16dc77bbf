// The platform's raster operations on surfaces. Every operation clips to the destination
// surface and to its clip region; source pixels outside the source read as black.
#pragma once

#include "gfx/surface.h"

namespace gfx {

// The raster operations the game's blits use, by their platform meaning.
enum class Rop {
  SrcCopy,     // D = S
  SrcAnd,      // D = S & D
  SrcPaint,    // D = S | D
  SrcInvert,   // D = S ^ D
  NotSrcCopy,  // D = ~S
  DstInvert,   // D = ~D
  Blackness,   // D = 0
  Whiteness,   // D = white
};

// Copies a w x h block from src (sx, sy) to dst (x, y). src may be null for the fills
// that do not read it (DstInvert, Blackness, Whiteness), and may be dst itself.
void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy, Rop rop = Rop::SrcCopy);

// Nearest-sample stretch of the source rectangle onto the destination rectangle.
// Negative widths or heights mirror, as on the platform.
void stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw, int sh,
                Rop rop = Rop::SrcCopy);

void fillRect(Surface& dst, const Rect& r, Color c);
void fillRegion(Surface& dst, const Region& r, Color c);

// ExtFloodFill: Surface mode fills the area of colour `match` connected to (x, y);
// Border mode fills up to (not including) pixels of colour `match`. The fill colour is `fill`.
enum class FloodMode { Surface, Border };
bool floodFill(Surface& dst, int x, int y, Color match, FloodMode mode, Color fill);

// GradientFill of one rectangle: colours run top to bottom (Vertical) or left to right (Horizontal).
// Each channel is interpolated from the byte times 256 and truncated; the last row or column
// is the one before the far edge, which keeps its old pixels.
enum class GradientDir { Horizontal, Vertical };
void gradientFill(Surface& dst, const Rect& r, Color from, Color to, GradientDir dir);

}  // namespace gfx
