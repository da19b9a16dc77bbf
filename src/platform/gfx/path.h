// Outline paths: what BeginPath / DrawTextEx / EndPath leave in a device context. A path can be
// filled, stroked with a pen of some width, or turned into a region to select as the clip.
//
//   gfx::Path p = gfx::textPath(*font, "勇者", box, gfx::kDtCenter | gfx::kDtSingleLine);
//   surface.setClip(p.fill());                 // SelectClipPath
//   gfx::fillRegion(surface, p.stroke(2), c);  // StrokePath with a 2-pixel pen
//
// Coordinates are pixels with y downward, held in 26.6 fixed point (1/64 pixel) so that hinted
// glyph outlines keep their exact positions. Rasterising is two-level: a pixel belongs to the
// region when its centre lies inside the outline (non-zero winding), with dropout control.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/region.h"

namespace gfx {

class Path {
 public:
  // One point of an outline in 1/64 pixel. The kind says how the curve passes it.
  enum class Kind : uint8_t { On, Conic, Cubic };
  struct Point {
    int32_t x, y;
    Kind kind;
  };

  bool empty() const { return points_.empty(); }
  // Appends one closed contour (at least one point; the first should be On).
  void addContour(const std::vector<Point>& pts);
  // Appends every contour of `other`, moved by (dx, dy) whole pixels.
  void append(const Path& other, int dx = 0, int dy = 0);
  void offset(int dx, int dy);

  // The pixels inside the outline.
  Region fill() const;
  // The pixels a round pen of `penWidth` pixels covers when drawn along the outline.
  // A width below 1 is a one-pixel pen, as the platform's cosmetic pen; above 255 is 255.
  Region stroke(int penWidth) const;

  const std::vector<Point>& points() const { return points_; }
  const std::vector<int>& contourEnds() const { return ends_; }

 private:
  std::vector<Point> points_;
  std::vector<int> ends_;  // index of each contour's last point
};

// Builds a region from per-row runs: rows[i] holds the sorted, disjoint [left, right) runs of
// row top + i.
Region regionFromRows(int top, const std::vector<std::vector<Region::Span>>& rows);

}  // namespace gfx
