#include "gfx/path.h"

#include <algorithm>
#include <cstring>

#include "gfx/freetype.h"
#include FT_OUTLINE_H
#include FT_STROKER_H

namespace gfx {
namespace {

// A FreeType view of a path (y up, as FreeType expects).
struct FtOutline {
  std::vector<FT_Vector> pts;
  std::vector<char> tags;
  std::vector<short> ends;
  FT_Outline outline{};

  explicit FtOutline(const Path& p) {
    pts.reserve(p.points().size());
    tags.reserve(p.points().size());
    for (const auto& pt : p.points()) {
      pts.push_back({pt.x, -pt.y});
      tags.push_back(pt.kind == Path::Kind::On      ? FT_CURVE_TAG_ON
                     : pt.kind == Path::Kind::Conic ? FT_CURVE_TAG_CONIC
                                                    : FT_CURVE_TAG_CUBIC);
    }
    for (int e : p.contourEnds()) ends.push_back(static_cast<short>(e));
    outline.n_points = static_cast<short>(pts.size());
    outline.n_contours = static_cast<short>(ends.size());
    outline.points = pts.data();
    outline.tags = tags.data();
    outline.contours = ends.data();
    outline.flags = FT_OUTLINE_NONE;
  }
};

// Two-level scan conversion of a FreeType outline (y up) into a region (y down).
Region rasterise(FT_Outline& o) {
  if (o.n_points == 0) return {};
  FT_BBox box;
  FT_Outline_Get_CBox(&o, &box);
  // Whole pixels around the control box, one spare on each side for dropouts.
  FT_Pos x0 = (box.xMin >> 6) - 1, y0 = (box.yMin >> 6) - 1;
  FT_Pos x1 = ((box.xMax + 63) >> 6) + 1, y1 = ((box.yMax + 63) >> 6) + 1;
  auto w = static_cast<unsigned>(x1 - x0), h = static_cast<unsigned>(y1 - y0);
  int pitch = static_cast<int>((w + 7) / 8);
  std::vector<unsigned char> bits(static_cast<size_t>(pitch) * h, 0);
  FT_Bitmap bm{};
  bm.rows = h;
  bm.width = w;
  bm.pitch = pitch;
  bm.buffer = bits.data();
  bm.num_grays = 2;
  bm.pixel_mode = FT_PIXEL_MODE_MONO;
  FT_Outline_Translate(&o, -x0 * 64, -y0 * 64);
  FT_Outline_Get_Bitmap(detail::freetype(), &o, &bm);
  FT_Outline_Translate(&o, x0 * 64, y0 * 64);

  // Bitmap row 0 is the top, at pixel row -(y1 - 1) in our downward coordinates.
  int top = static_cast<int>(-y1);
  std::vector<std::vector<Region::Span>> rows(h);
  for (unsigned r = 0; r < h; ++r) {
    const unsigned char* line = bits.data() + static_cast<size_t>(r) * static_cast<size_t>(pitch);
    auto& spans = rows[r];
    int start = -1;
    for (unsigned c = 0; c <= w; ++c) {
      bool on = c < w && (line[c >> 3] & (0x80 >> (c & 7)));
      if (on && start < 0) start = static_cast<int>(c);
      if (!on && start >= 0) {
        spans.push_back({start + static_cast<int>(x0), static_cast<int>(c) + static_cast<int>(x0)});
        start = -1;
      }
    }
  }
  return regionFromRows(top, rows);
}

}  // namespace

void Path::addContour(const std::vector<Point>& pts) {
  if (pts.empty()) return;
  points_.insert(points_.end(), pts.begin(), pts.end());
  ends_.push_back(static_cast<int>(points_.size()) - 1);
}

void Path::append(const Path& other, int dx, int dy) {
  int base = static_cast<int>(points_.size());
  for (const auto& p : other.points_) points_.push_back({p.x + dx * 64, p.y + dy * 64, p.kind});
  for (int e : other.ends_) ends_.push_back(e + base);
}

void Path::offset(int dx, int dy) {
  for (auto& p : points_) {
    p.x += dx * 64;
    p.y += dy * 64;
  }
}

Region Path::fill() const {
  FtOutline o(*this);
  return rasterise(o.outline);
}

Region Path::stroke(int penWidth) const {
  if (empty()) return {};
  penWidth = std::clamp(penWidth, 1, 255);  // wider pens are no outline any more
  FtOutline src(*this);
  FT_Stroker stroker = nullptr;
  if (FT_Stroker_New(detail::freetype(), &stroker)) return {};
  FT_Stroker_Set(stroker, penWidth * 32, FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
  Region out;
  if (FT_Stroker_ParseOutline(stroker, &src.outline, 0) == 0) {
    FT_UInt nPoints = 0, nContours = 0;
    FT_Stroker_GetCounts(stroker, &nPoints, &nContours);
    std::vector<FT_Vector> pts(nPoints);
    std::vector<char> tags(nPoints);
    std::vector<short> ends(nContours);
    FT_Outline o{};
    o.points = pts.data();
    o.tags = tags.data();
    o.contours = ends.data();
    FT_Stroker_Export(stroker, &o);
    // Both borders of every contour together: non-zero winding covers the band between them.
    o.flags = FT_OUTLINE_NONE;
    out = rasterise(o);
  }
  FT_Stroker_Done(stroker);
  return out;
}

Region regionFromRows(int top, const std::vector<std::vector<Region::Span>>& rows) {
  // One region per row, then pairwise merges: the cost stays near n log n rows.
  std::vector<Region> parts;
  parts.reserve(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].empty()) continue;
    int y = top + static_cast<int>(i);
    Region row;
    for (const auto& s : rows[i]) row.combine(Region::fromRect({s.left, y, s.right, y + 1}), Region::Op::Or);
    parts.push_back(std::move(row));
  }
  if (parts.empty()) return {};
  while (parts.size() > 1) {
    std::vector<Region> next;
    next.reserve((parts.size() + 1) / 2);
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
      parts[i].combine(parts[i + 1], Region::Op::Or);
      next.push_back(std::move(parts[i]));
    }
    if (parts.size() % 2) next.push_back(std::move(parts.back()));
    parts = std::move(next);
  }
  return std::move(parts.front());
}

}  // namespace gfx
