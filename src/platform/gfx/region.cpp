#include "gfx/region.h"

#include <algorithm>
#include <cmath>

namespace gfx {
namespace {

using Spans = std::vector<Region::Span>;

bool keep(bool a, bool b, Region::Op op) {
  switch (op) {
    case Region::Op::And: return a && b;
    case Region::Op::Or: return a || b;
    case Region::Op::Xor: return a != b;
    case Region::Op::Diff: return a && !b;
    case Region::Op::Copy: return b;
  }
  return false;
}

// Combines two sorted, disjoint span lists by sweeping their edges.
Spans combineRow(const Spans& a, const Spans& b, Region::Op op) {
  std::vector<int> edges;
  edges.reserve(2 * (a.size() + b.size()));
  for (const auto& s : a) edges.insert(edges.end(), {s.left, s.right});
  for (const auto& s : b) edges.insert(edges.end(), {s.left, s.right});
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  auto inside = [](const Spans& s, int x) {
    for (const auto& sp : s)
      if (x >= sp.left && x < sp.right) return true;
    return false;
  };
  Spans out;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    int x = edges[i];
    if (!keep(inside(a, x), inside(b, x), op)) continue;
    if (!out.empty() && out.back().right == x)
      out.back().right = edges[i + 1];
    else
      out.push_back({x, edges[i + 1]});
  }
  return out;
}

}  // namespace

Region Region::fromRect(const Rect& r) {
  Region g;
  if (r.empty()) return g;
  g.top_ = r.top;
  g.rows_.assign(static_cast<size_t>(r.height()), Spans{{r.left, r.right}});
  return g;
}

Region Region::fromRoundRect(const Rect& r, int ellipseW, int ellipseH) {
  Region g;
  if (r.empty()) return g;
  int w = r.width(), h = r.height();
  double rx = std::min(std::abs(ellipseW), w) / 2.0;
  double ry = std::min(std::abs(ellipseH), h) / 2.0;
  g.top_ = r.top;
  g.rows_.resize(static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    int inset = 0;
    if (rx > 0 && ry > 0) {
      // Distance of this row's centre from the corner ellipse's centre line.
      double cy = y + 0.5;
      double dy = 0;
      if (cy < ry) dy = ry - cy;
      else if (cy > h - ry) dy = cy - (h - ry);
      if (dy > 0) {
        double t = 1.0 - (dy * dy) / (ry * ry);
        double dx = t > 0 ? rx * std::sqrt(t) : 0.0;
        inset = static_cast<int>(std::lround(rx - dx));
      }
    }
    if (2 * inset < w) g.rows_[static_cast<size_t>(y)] = {{r.left + inset, r.right - inset}};
  }
  // Trim rows that ended up empty at either end.
  while (!g.rows_.empty() && g.rows_.back().empty()) g.rows_.pop_back();
  size_t first = 0;
  while (first < g.rows_.size() && g.rows_[first].empty()) ++first;
  g.rows_.erase(g.rows_.begin(), g.rows_.begin() + static_cast<long>(first));
  g.top_ += static_cast<int>(first);
  return g;
}

void Region::combine(const Region& other, Op op) {
  if (empty() && other.empty()) return;
  int top = empty() ? other.top_ : other.empty() ? top_ : std::min(top_, other.top_);
  int bottom = std::max(empty() ? other.top_ : top_ + static_cast<int>(rows_.size()),
                        other.empty() ? top_ : other.top_ + static_cast<int>(other.rows_.size()));
  std::vector<Spans> rows(static_cast<size_t>(bottom - top));
  for (int y = top; y < bottom; ++y) rows[static_cast<size_t>(y - top)] = combineRow(spans(y), other.spans(y), op);
  size_t first = 0;
  while (first < rows.size() && rows[first].empty()) ++first;
  size_t last = rows.size();
  while (last > first && rows[last - 1].empty()) --last;
  rows_.assign(rows.begin() + static_cast<long>(first), rows.begin() + static_cast<long>(last));
  top_ = top + static_cast<int>(first);
}

void Region::offset(int dx, int dy) {
  top_ += dy;
  for (auto& row : rows_)
    for (auto& s : row) {
      s.left += dx;
      s.right += dx;
    }
}

const std::vector<Region::Span>& Region::spans(int y) const {
  static const Spans kNone;
  if (y < top_ || y >= top_ + static_cast<int>(rows_.size())) return kNone;
  return rows_[static_cast<size_t>(y - top_)];
}

bool Region::contains(int x, int y) const {
  for (const auto& s : spans(y))
    if (x >= s.left && x < s.right) return true;
  return false;
}

Rect Region::bounds() const {
  if (rows_.empty()) return {};
  int l = INT32_MAX, r = INT32_MIN;
  for (const auto& row : rows_)
    if (!row.empty()) {
      l = std::min(l, row.front().left);
      r = std::max(r, row.back().right);
    }
  return {l, top_, r, top_ + static_cast<int>(rows_.size())};
}

}  // namespace gfx
