#include "gfx/region.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "gfx/mask.h"

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
  size_t ia = 0, ib = 0;
  auto inside = [](const Spans& s, size_t& i, int x) {
    while (i < s.size() && s[i].right <= x) ++i;
    return i < s.size() && s[i].left <= x;
  };
  Spans out;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    int x = edges[i];
    bool inA = inside(a, ia, x), inB = inside(b, ib, x);
    if (!keep(inA, inB, op)) continue;
    if (!out.empty() && out.back().right == x)
      out.back().right = edges[i + 1];
    else
      out.push_back({x, edges[i + 1]});
  }
  return out;
}

Rect ordered(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

// For each row of an ellipse filling a w x h pixel box, the first column its outline touches,
// traced with the integer midpoint method the platform's region code uses.
std::vector<int> ellipseInsets(int w, int h) {
  std::vector<int> inset(static_cast<size_t>(h), w);
  auto mark = [&](int64_t x, int64_t y) {
    if (y >= 0 && y < h) {
      int& v = inset[static_cast<size_t>(y)];
      v = std::min(v, static_cast<int>(x));
    }
  };
  const int64_t a = w - 1, b = h - 1, b1 = b & 1;
  int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
  int64_t err = dx + dy + b1 * a * a;
  int64_t x0 = 0, x1 = a, y0 = (b + 1) / 2, y1 = y0 - b1;
  const int64_t stepY = 8 * a * a, stepX = 8 * b * b;
  do {
    mark(x0, y0);
    mark(x0, y1);
    int64_t e2 = 2 * err;
    if (e2 <= dy) {
      ++y0;
      --y1;
      err += dy += stepY;
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0;
      --x1;
      err += dx += stepX;
    }
  } while (x0 <= x1);
  while (y0 - y1 <= b) {  // the tips of very flat ellipses
    mark(x0 - 1, y0++);
    mark(x0 - 1, y1--);
  }
  return inset;
}

}  // namespace

Region Region::fromRect(const Rect& r0) {
  Region g;
  Rect r = ordered(r0);
  if (r.empty()) return g;
  g.top_ = r.top;
  g.rows_.assign(static_cast<size_t>(r.height()), Spans{{r.left, r.right}});
  return g;
}

Region Region::fromRoundRect(const Rect& r0, int ellipseW, int ellipseH) {
  Rect r = ordered(r0);
  --r.right;
  --r.bottom;
  if (r.empty()) return {};
  const int w = r.width(), h = r.height();
  const int ew = std::min(w, std::abs(ellipseW)), eh = std::min(h, std::abs(ellipseH));
  if (ew < 2 || eh < 2) return fromRect(r);
  const std::vector<int> inset = ellipseInsets(ew, eh);
  Region g;
  g.top_ = r.top;
  g.rows_.resize(static_cast<size_t>(h));
  const int upper = eh / 2, lower = h - (eh - eh / 2);
  for (int y = 0; y < h; ++y) {
    int in = 0;
    if (y < upper)
      in = inset[static_cast<size_t>(y)];
    else if (y >= lower)
      in = inset[static_cast<size_t>(y - (h - eh))];
    if (r.left + in < r.right - in) g.rows_[static_cast<size_t>(y)] = {{r.left + in, r.right - in}};
  }
  g.trim();
  return g;
}

Region Region::fromSpans(int top, std::vector<std::vector<Span>> rows) {
  Region g;
  g.top_ = top;
  g.rows_.resize(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    Spans& in = rows[i];
    std::sort(in.begin(), in.end(), [](const Span& p, const Span& q) { return p.left < q.left; });
    Spans& out = g.rows_[i];
    for (const Span& s : in) {
      if (s.right <= s.left) continue;
      if (!out.empty() && s.left <= out.back().right)
        out.back().right = std::max(out.back().right, s.right);
      else
        out.push_back(s);
    }
  }
  g.trim();
  return g;
}

Region Region::fromMask(const Mask& mask, int x, int y) {
  std::vector<Spans> rows(static_cast<size_t>(mask.height()));
  for (int j = 0; j < mask.height(); ++j) {
    const uint8_t* m = mask.row(j);
    for (int i = 0; i < mask.width();) {
      if (!m[i]) {
        ++i;
        continue;
      }
      int start = i;
      while (i < mask.width() && m[i]) ++i;
      rows[static_cast<size_t>(j)].push_back({x + start, x + i});
    }
  }
  return fromSpans(y, std::move(rows));
}

void Region::trim() {
  size_t first = 0;
  while (first < rows_.size() && rows_[first].empty()) ++first;
  size_t last = rows_.size();
  while (last > first && rows_[last - 1].empty()) --last;
  if (first == last) {
    rows_.clear();
    top_ = 0;
    return;
  }
  rows_.erase(rows_.begin() + static_cast<long>(last), rows_.end());
  rows_.erase(rows_.begin(), rows_.begin() + static_cast<long>(first));
  top_ += static_cast<int>(first);
}

void Region::combine(const Region& other, Op op) {
  if (empty() && other.empty()) return;
  const int bottomThis = top_ + static_cast<int>(rows_.size());
  const int bottomOther = other.top_ + static_cast<int>(other.rows_.size());
  const int top = empty() ? other.top_ : other.empty() ? top_ : std::min(top_, other.top_);
  const int bottom = empty() ? bottomOther : other.empty() ? bottomThis : std::max(bottomThis, bottomOther);
  std::vector<Spans> rows(static_cast<size_t>(bottom - top));
  for (int y = top; y < bottom; ++y) rows[static_cast<size_t>(y - top)] = combineRow(spans(y), other.spans(y), op);
  rows_ = std::move(rows);
  top_ = top;
  trim();
}

void Region::offset(int dx, int dy) {
  if (empty()) return;
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
  int l = INT_MAX, r = INT_MIN;
  for (const auto& row : rows_)
    if (!row.empty()) {
      l = std::min(l, row.front().left);
      r = std::max(r, row.back().right);
    }
  return {l, top_, r, top_ + static_cast<int>(rows_.size())};
}

int64_t Region::area() const {
  int64_t n = 0;
  for (const auto& row : rows_)
    for (const auto& s : row) n += s.right - s.left;
  return n;
}

}  // namespace gfx
