// The platform's raster operations on surfaces. Every operation clips to the destination
// surface and to its clip region. A blit also clips to its source: destination pixels whose
// source pixel lies outside the source surface are left as they were.
#pragma once

#include <vector>

#include "gfx/mask.h"
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

// True for the operations that read a source.
constexpr bool usesSource(Rop rop) { return rop != Rop::DstInvert && rop != Rop::Blackness && rop != Rop::Whiteness; }

// Copies a w x h block from src (sx, sy) to dst (x, y); nothing when w or h is not positive.
// src may be null, which reads as black everywhere (and is how the fills that read no source
// are called). src may be dst itself, overlapping or not: the block is read as it was before.
void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy, Rop rop = Rop::SrcCopy);
inline void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                   Rop rop = Rop::SrcCopy) {
  bitBlt(dst, x, y, w, h, &src, sx, sy, rop);
}

// Nearest-sample stretch of the source rectangle onto the destination rectangle, sampled as the
// platform does (see stretchSamples). A negative width or height runs that rectangle from its
// anchor to the left or up: it covers x + w + 1 to x, as on the platform, and where exactly one of
// the two rectangles is negative along an axis the picture is mirrored.
void stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw, int sh,
                Rop rop = Rop::SrcCopy);

// One axis of a stretch: destination pixel i of dstLen takes source pixel result[i] of srcLen,
// which is i * srcLen / dstLen rounded down. Whole-number zooms give clean blocks, shrinking keeps
// the first pixel of each group, and the first source pixel always lands on the first destination
// pixel. Empty when either length is not positive.
std::vector<int> stretchSamples(int dstLen, int srcLen);

// stretchSamples placed on a source: for destination step i (0 to dstLen - 1, counted from the
// destination's anchor), the source coordinate srcPos + i-th sample, run leftward or upward when
// srcExtent is negative; -1 where that lies outside 0 to srcSize - 1. All -1 for a zero extent.
std::vector<int> stretchSource(int dstLen, int srcPos, int srcExtent, int srcSize);

// Copies mask.width() x mask.height() pixels from src (sx, sy) to dst (x, y), leaving the
// destination where the mask bit is set.
void blitMasked(Surface& dst, int x, int y, const Surface& src, int sx, int sy, const Mask& mask);

void fillRect(Surface& dst, const Rect& r, Color c);
// n pixels of colour c from p: the fast way to paint a run of a row.
void fillRun(Color* p, int n, Color c);
void fillRegion(Surface& dst, const Region& r, Color c);

// ExtFloodFill: Surface mode fills the area of colour `match` connected to (x, y); Border mode fills
// the area up to (not including) pixels of colour `match`. Four-connected, and never through a
// pixel the clip excludes. False (nothing drawn) when the start point is outside the surface or
// clip, or does not belong to such an area.
enum class FloodMode { Surface, Border };
bool floodFill(Surface& dst, int x, int y, Color match, FloodMode mode, Color fill);

// GradientFill of one rectangle whose corners carry `from` (left, top) and `to` (right, bottom):
// colours run left to right (Horizontal) or top to bottom (Vertical). The last column or row
// painted is the one before the far edge. Pixel i of n along the run has, per channel,
// (from * 256 * (n - i) + to * 256 * i) / n / 256, truncated: the first pixel is exactly `from`
// and `to` itself is never reached. Reversed corners swap the colours with them.
enum class GradientDir { Horizontal, Vertical };
void gradientFill(Surface& dst, const Rect& r, Color from, Color to, GradientDir dir);

}  // namespace gfx
