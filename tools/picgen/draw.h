// Drawing helpers shared by every picture of the generator: shapes, outlines, shading and
// dithering with hard edges. Nothing here anti-aliases, so a key colour is only ever written
// on purpose and no drawn pixel lands on a key by accident.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "gfx/color.h"
#include "gfx/rect.h"
#include "gfx/surface.h"

namespace picgen {

using gfx::Color;
using gfx::Rect;
using gfx::Surface;

struct Point {
  int x = 0, y = 0;
};

// --- colours ---------------------------------------------------------------------------------
// Parses "RRGGBB" (as in the pixel-art files).
Color hex(const char* rrggbb);
// a at t = 0, b at t = 256, per channel, truncated.
Color mix(Color a, Color b, int t);
// Towards white (amount > 0) or black (amount < 0), -256..256.
Color shade(Color c, int amount);
// A drawn colour never equals a key: magenta and pure red are nudged by one step.
Color avoidKeys(Color c);

// --- plain shapes (all clip to the surface) ----------------------------------------------------
void fill(Surface& s, Rect r, Color c);
void frame(Surface& s, Rect r, Color c, int thickness = 1);  // inside r
void hline(Surface& s, int x0, int x1, int y, Color c);      // x0..x1 inclusive
void vline(Surface& s, int x, int y0, int y1, Color c);      // y0..y1 inclusive
void line(Surface& s, int x0, int y0, int x1, int y1, Color c);
void thickLine(Surface& s, int x0, int y0, int x1, int y1, int width, Color c);
// Filled disc and one-pixel ring around the centre (cx, cy) given in half pixels, so both even
// and odd diameters are exact: a 32-px cell's centre is (32, 32) in half pixels.
void disc2(Surface& s, int cx2, int cy2, int r2, Color c);
void ring2(Surface& s, int cx2, int cy2, int r2, Color c, int thickness = 1);
// Ellipse filling the rectangle.
void ellipse(Surface& s, Rect r, Color c);
void polygon(Surface& s, const std::vector<Point>& pts, Color c);  // even-odd fill
void roundRect(Surface& s, Rect r, int radius, Color c);

// --- shading -----------------------------------------------------------------------------------
// Raised (or, with sunken, pressed) edges of `width` pixels inside r.
void bevel(Surface& s, Rect r, Color light, Color dark, int width = 1, bool sunken = false);
// Vertical gradient quantised to `bands` flat steps (pixel art keeps visible bands).
void bandGradient(Surface& s, Rect r, Color top, Color bottom, int bands);
// Mixes a and b with a 4x4 ordered dither; level 0 = all a, 16 = all b. Pixels keep their grid
// position so adjoining fills line up.
void dither(Surface& s, Rect r, Color a, Color b, int level);
// True for the pixels of a 4x4 ordered dither at `level` (0..16).
bool ditherOn(int x, int y, int level);

// --- sprites -----------------------------------------------------------------------------------
// Copies src to (x, y), skipping pixels equal to key.
void stamp(Surface& dst, int x, int y, const Surface& src, Color key = gfx::kMagenta);
// Same, scaled by an integer factor.
void stampScaled(Surface& dst, int x, int y, const Surface& src, int factor, Color key = gfx::kMagenta);
// Mirror image left-right.
Surface mirrored(const Surface& src);
// A quarter turn anticlockwise: the top row becomes the left column, read bottom to top.
Surface turnedLeft(const Surface& src);
void replaceColor(Surface& s, Rect r, Color from, Color to);
// A copy with each colour of `swaps` replaced, all at once, so no swap feeds another.
Surface recoloured(const Surface& src, const std::map<Color, Color>& swaps);
// Draws a one-pixel outline in `ink` on every background pixel (== bg) inside `area` that
// touches a non-background pixel (4-neighbours; with diagonal, 8).
void outline(Surface& s, Rect area, Color bg, Color ink, bool diagonal = false);
// Darkens the lower-right and lightens the upper-left rim of every non-bg shape in area.
void rimLight(Surface& s, Rect area, Color bg, int amount);

}  // namespace picgen

namespace picgen {

// A 3 x 5 pixel alphabet (A-Z, 0-9 and a few signs) for tiny Latin lettering that must stay
// crisp at 1:1, such as "START" on a 32-px tile. Scale multiplies every pixel. Returns the width.
int pixelText(Surface& s, int x, int y, const std::string& text, Color c, int scale = 1);
int pixelTextWidth(const std::string& text, int scale = 1);

}  // namespace picgen
