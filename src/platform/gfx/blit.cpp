#include "gfx/blit.h"

#include <algorithm>

namespace gfx {
namespace {

inline Color apply(Rop rop, Color s, Color d) {
  switch (rop) {
    case Rop::SrcCopy: return s;
    case Rop::SrcAnd: return s & d;
    case Rop::SrcPaint: return s | d;
    case Rop::SrcInvert: return s ^ d;
    case Rop::NotSrcCopy: return ~s & 0xFFFFFF;
    case Rop::DstInvert: return ~d & 0xFFFFFF;
    case Rop::Blackness: return kBlack;
    case Rop::Whiteness: return kWhite;
  }
  return d;
}

// Calls fn(x0, x1) for each run of row y of dst inside [l, r) that its clip allows.
template <class Fn>
void forEachWritableRun(const Surface& dst, int y, int l, int r, Fn&& fn) {
  l = std::max(l, 0);
  r = std::min(r, dst.width());
  if (y < 0 || y >= dst.height() || l >= r) return;
  if (!dst.clip()) {
    fn(l, r);
    return;
  }
  for (const auto& s : dst.clip()->spans(y)) {
    int a = std::max(l, s.left), b = std::min(r, s.right);
    if (a < b) fn(a, b);
  }
}

}  // namespace

void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy, Rop rop) {
  if (w <= 0 || h <= 0) return;
  // A copy from a surface onto itself must read what was there before the copy.
  Surface tmp;
  if (src == &dst) {
    tmp = dst;
    src = &tmp;
  }
  for (int j = 0; j < h; ++j) {
    int dy = y + j, syy = sy + j;
    forEachWritableRun(dst, dy, x, x + w, [&](int a, int b) {
      Color* out = dst.mutableRow(dy);
      for (int dx = a; dx < b; ++dx) {
        Color s = src ? src->pixel(sx + dx - x, syy) : kBlack;
        if (s == kInvalidColor) s = kBlack;
        out[dx] = apply(rop, s, out[dx]);
      }
    });
  }
}

void stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw, int sh,
                Rop rop) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
  // Mirroring: a negative extent on one side flips the mapping.
  bool flipX = (w < 0) != (sw < 0), flipY = (h < 0) != (sh < 0);
  if (w < 0) { x += w; w = -w; }
  if (h < 0) { y += h; h = -h; }
  if (sw < 0) { sx += sw; sw = -sw; }
  if (sh < 0) { sy += sh; sh = -sh; }
  Surface tmp;
  const Surface* from = &src;
  if (&src == &dst) {
    tmp = src;
    from = &tmp;
  }
  for (int j = 0; j < h; ++j) {
    int dy = y + j;
    int jj = flipY ? h - 1 - j : j;
    int syy = sy + static_cast<int>(static_cast<int64_t>(jj) * sh / h);
    forEachWritableRun(dst, dy, x, x + w, [&](int a, int b) {
      Color* out = dst.mutableRow(dy);
      for (int dx = a; dx < b; ++dx) {
        int i = dx - x;
        int ii = flipX ? w - 1 - i : i;
        Color s = from->pixel(sx + static_cast<int>(static_cast<int64_t>(ii) * sw / w), syy);
        if (s == kInvalidColor) s = kBlack;
        out[dx] = apply(rop, s, out[dx]);
      }
    });
  }
}

void fillRect(Surface& dst, const Rect& r, Color c) {
  c &= 0xFFFFFF;
  for (int y = r.top; y < r.bottom; ++y)
    forEachWritableRun(dst, y, r.left, r.right, [&](int a, int b) { std::fill(dst.mutableRow(y) + a, dst.mutableRow(y) + b, c); });
}

void fillRegion(Surface& dst, const Region& r, Color c) {
  Rect b = r.bounds();
  for (int y = b.top; y < b.bottom; ++y)
    for (const auto& s : r.spans(y)) fillRect(dst, {s.left, y, s.right, y + 1}, c);
}

}  // namespace gfx
