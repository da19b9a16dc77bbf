#include "gfx/blit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace gfx {
namespace {

constexpr Color kRgbMask = 0xFFFFFF;

template <Rop R>
inline Color apply(Color s, Color d) {
  if constexpr (R == Rop::SrcCopy) return s;
  if constexpr (R == Rop::SrcAnd) return s & d;
  if constexpr (R == Rop::SrcPaint) return s | d;
  if constexpr (R == Rop::SrcInvert) return s ^ d;
  if constexpr (R == Rop::NotSrcCopy) return ~s & kRgbMask;
  if constexpr (R == Rop::DstInvert) return ~d & kRgbMask;
  if constexpr (R == Rop::Blackness) return kBlack;
  if constexpr (R == Rop::Whiteness) return kWhite;
}

// out[i] = op(in[i], out[i]); `in` may be null for the operations that read no source.
template <Rop R>
void runOp(Color* out, const Color* in, int n) {
  if constexpr (R == Rop::SrcCopy) {
    std::memmove(out, in, static_cast<size_t>(n) * sizeof(Color));
  } else if constexpr (R == Rop::Blackness || R == Rop::Whiteness) {
    fillRun(out, n, apply<R>(0, 0));
  } else if constexpr (!usesSource(R)) {
    for (int i = 0; i < n; ++i) out[i] = apply<R>(0, out[i]);
  } else {
    for (int i = 0; i < n; ++i) out[i] = apply<R>(in[i], out[i]);
  }
}

void runOp(Rop rop, Color* out, const Color* in, int n) {
  switch (rop) {
    case Rop::SrcCopy: return runOp<Rop::SrcCopy>(out, in, n);
    case Rop::SrcAnd: return runOp<Rop::SrcAnd>(out, in, n);
    case Rop::SrcPaint: return runOp<Rop::SrcPaint>(out, in, n);
    case Rop::SrcInvert: return runOp<Rop::SrcInvert>(out, in, n);
    case Rop::NotSrcCopy: return runOp<Rop::NotSrcCopy>(out, in, n);
    case Rop::DstInvert: return runOp<Rop::DstInvert>(out, in, n);
    case Rop::Blackness: return runOp<Rop::Blackness>(out, in, n);
    case Rop::Whiteness: return runOp<Rop::Whiteness>(out, in, n);
  }
}

Color applyOne(Rop rop, Color s, Color d) {
  Color out = d;
  runOp(rop, &out, &s, 1);
  return out;
}

// The pixels one axis of a negative-extent rectangle covers: x + w + 1 .. x.
inline int step(int extent) { return extent < 0 ? -1 : 1; }

}  // namespace

// A few pixels by hand, then memcpy of the filled part onto the rest, doubling: the plain loop is
// not vectorised at our optimisation level and runs several times slower.
void fillRun(Color* p, int n, Color c) {
  if (n <= 0) return;
  int done = std::min(n, 16);
  for (int i = 0; i < done; ++i) p[i] = c;
  while (done < n) {
    const int k = std::min(done, n - done);
    std::memcpy(p + done, p, static_cast<size_t>(k) * sizeof(Color));
    done += k;
  }
}

void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy, Rop rop) {
  if (w <= 0 || h <= 0) return;
  if (!usesSource(rop)) src = nullptr;
  int x0 = x, x1 = x + w, y0 = y, y1 = y + h;
  if (src) {  // keep to the part whose source exists
    x0 = std::max(x0, x - sx);
    x1 = std::min(x1, x + src->width() - sx);
    y0 = std::max(y0, y - sy);
    y1 = std::min(y1, y + src->height() - sy);
  }
  y0 = std::max(y0, 0);
  y1 = std::min(y1, dst.height());
  if (x0 >= x1 || y0 >= y1) return;
  const bool self = src == &dst;
  std::vector<Color> black, buffer;
  if (src == nullptr && usesSource(rop)) black.assign(static_cast<size_t>(x1 - x0), kBlack);
  // Onto itself a block moving down is copied from the bottom row up, so that no row is
  // overwritten before it is read; within a row memmove or a row buffer does the same.
  const bool upward = self && sy < y;
  for (int k = 0; k < y1 - y0; ++k) {
    const int dy = upward ? y1 - 1 - k : y0 + k;
    forEachWritableRun(dst, dy, x0, x1, [&](int a, int b) {
      Color* out = dst.mutableRow(dy) + a;
      const Color* in = nullptr;
      if (src) {
        in = src->row(sy + dy - y) + (sx + a - x);
        if (self && rop != Rop::SrcCopy) {
          buffer.assign(in, in + (b - a));
          in = buffer.data();
        }
      } else if (!black.empty()) {
        in = black.data();
      }
      runOp(rop, out, in, b - a);
    });
  }
}

std::vector<int> stretchSamples(int dstLen, int srcLen) {
  std::vector<int> map;
  if (dstLen <= 0 || srcLen <= 0) return map;
  map.resize(static_cast<size_t>(dstLen));
  // The stepping accumulates srcLen per destination pixel and moves on by whole destination
  // lengths, which is i * srcLen / dstLen rounded down.
  int64_t acc = 0;
  int k = 0;
  for (int i = 0; i < dstLen; ++i) {
    map[static_cast<size_t>(i)] = k;
    acc += srcLen;
    while (acc >= dstLen) {
      acc -= dstLen;
      ++k;
    }
  }
  return map;
}

std::vector<int> stretchSource(int dstLen, int srcPos, int srcExtent, int srcSize) {
  std::vector<int> out(static_cast<size_t>(std::max(dstLen, 0)), -1);
  if (srcExtent == 0) return out;
  const std::vector<int> map = stretchSamples(dstLen, std::abs(srcExtent));
  for (size_t i = 0; i < map.size(); ++i) {
    int s = srcPos + step(srcExtent) * map[i];
    out[i] = s >= 0 && s < srcSize ? s : -1;
  }
  return out;
}

void stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw, int sh, Rop rop) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
  const int aw = std::abs(w), ah = std::abs(h);
  Surface copy;
  const Surface* from = &src;
  if (&src == &dst && usesSource(rop)) {
    copy = src;
    from = &copy;
  }
  const std::vector<int> rows = stretchSource(ah, sy, sh, from->height());
  const std::vector<int> cols = stretchSource(aw, sx, sw, from->width());
  // Per destination column, left to right: the source column, or -1 where there is none.
  const int left = w > 0 ? x : x + w + 1;
  std::vector<int> col(static_cast<size_t>(aw));
  for (int i = 0; i < aw; ++i) col[static_cast<size_t>(x + step(w) * i - left)] = cols[static_cast<size_t>(i)];
  for (int j = 0; j < ah; ++j) {
    const int dy = y + step(h) * j;
    const int syy = rows[static_cast<size_t>(j)];
    if (usesSource(rop) && syy < 0) continue;
    const Color* in = usesSource(rop) ? from->row(syy) : nullptr;
    forEachWritableRun(dst, dy, left, left + aw, [&](int a, int b) {
      Color* out = dst.mutableRow(dy) + a;
      const int* c = col.data() + (a - left);
      const int n = b - a;
      if (rop == Rop::SrcCopy) {
        for (int i = 0; i < n; ++i)
          if (c[i] >= 0) out[i] = in[c[i]];
        return;
      }
      for (int i = 0; i < n; ++i) {
        if (in && c[i] < 0) continue;
        out[i] = applyOne(rop, in ? in[c[i]] : kBlack, out[i]);
      }
    });
  }
}

void blitMasked(Surface& dst, int x, int y, const Surface& src, int sx, int sy, const Mask& mask) {
  Surface copy;
  const Surface* from = &src;
  if (&src == &dst) {
    copy = src;
    from = &copy;
  }
  for (int j = 0; j < mask.height(); ++j) {
    const int dy = y + j, syy = sy + j;
    if (syy < 0 || syy >= from->height()) continue;
    const Color* in = from->row(syy);
    const uint8_t* m = mask.row(j);
    forEachWritableRun(dst, dy, std::max(x, x - sx), std::min(x + mask.width(), x + from->width() - sx),
                       [&](int a, int b) {
                         Color* out = dst.mutableRow(dy);
                         for (int dx = a; dx < b; ++dx)
                           if (!m[dx - x]) out[dx] = in[sx + dx - x];
                       });
  }
}

void fillRect(Surface& dst, const Rect& r, Color c) {
  c &= kRgbMask;
  const int top = std::max(r.top, 0), bottom = std::min(r.bottom, dst.height());
  for (int y = top; y < bottom; ++y)
    forEachWritableRun(dst, y, r.left, r.right, [&](int a, int b) { fillRun(dst.mutableRow(y) + a, b - a, c); });
}

void fillRegion(Surface& dst, const Region& r, Color c) {
  Rect b = r.bounds().intersect(dst.bounds());
  for (int y = b.top; y < b.bottom; ++y)
    for (const auto& s : r.spans(y)) fillRect(dst, {s.left, y, s.right, y + 1}, c);
}

bool floodFill(Surface& dst, int x, int y, Color match, FloodMode mode, Color fill) {
  if (!dst.writable(x, y)) return false;
  const int w = dst.width();
  fill &= kRgbMask;
  // A filled pixel drops out of the area by its new colour, except when that colour still
  // belongs to it; then a map of the filled pixels keeps the fill from running forever.
  std::vector<uint8_t> seen;
  auto inside = [&](int px, int py) {
    if ((!seen.empty() && seen[static_cast<size_t>(py) * w + px]) || !dst.writable(px, py)) return false;
    Color c = dst.row(py)[px];
    return mode == FloodMode::Surface ? c == match : c != match;
  };
  if (!inside(x, y)) return false;
  if (mode == FloodMode::Border || fill == match)
    seen.assign(static_cast<size_t>(w) * static_cast<size_t>(dst.height()), 0);
  struct Seed {
    int x, y;
  };
  std::vector<Seed> stack{{x, y}};
  while (!stack.empty()) {
    Seed s = stack.back();
    stack.pop_back();
    if (!inside(s.x, s.y)) continue;
    int l = s.x, r = s.x + 1;
    while (l > 0 && inside(l - 1, s.y)) --l;
    while (r < w && inside(r, s.y)) ++r;
    Color* row = dst.mutableRow(s.y);
    fillRun(row + l, r - l, fill);
    if (!seen.empty()) std::fill_n(seen.begin() + static_cast<long>(s.y) * w + l, r - l, 1);
    for (int ny : {s.y - 1, s.y + 1}) {
      if (ny < 0 || ny >= dst.height()) continue;
      for (int i = l; i < r; ++i) {
        if (!inside(i, ny)) continue;
        stack.push_back({i, ny});  // one seed per run of the neighbouring row
        while (i + 1 < r && inside(i + 1, ny)) ++i;
      }
    }
  }
  return true;
}

void gradientFill(Surface& dst, const Rect& r0, Color from, Color to, GradientDir dir) {
  Rect r = r0;
  const bool horizontal = dir == GradientDir::Horizontal;
  if (horizontal ? r.right < r.left : r.bottom < r.top) std::swap(from, to);
  if (r.right < r.left) std::swap(r.left, r.right);
  if (r.bottom < r.top) std::swap(r.top, r.bottom);
  if (r.empty()) return;
  const int n = horizontal ? r.width() : r.height();
  auto at = [&](int i) {
    auto channel = [&](int a, int b) {
      return static_cast<int>((int64_t{a} * 256 * (n - i) + int64_t{b} * 256 * i) / n / 256);
    };
    return rgb(channel(red(from), red(to)), channel(green(from), green(to)), channel(blue(from), blue(to)));
  };
  if (!horizontal) {
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, dst.height()); ++y) {
      const Color c = at(y - r.top);
      forEachWritableRun(dst, y, r.left, r.right, [&](int a, int b) { fillRun(dst.mutableRow(y) + a, b - a, c); });
    }
    return;
  }
  const int l = std::max(r.left, 0), rr = std::min(r.right, dst.width());
  if (l >= rr) return;
  std::vector<Color> line(static_cast<size_t>(rr - l));
  for (int x = l; x < rr; ++x) line[static_cast<size_t>(x - l)] = at(x - r.left);
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, dst.height()); ++y)
    forEachWritableRun(dst, y, l, rr, [&](int a, int b) {
      std::copy(line.begin() + (a - l), line.begin() + (b - l), dst.mutableRow(y) + a);
    });
}

}  // namespace gfx
