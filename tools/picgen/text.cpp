#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "gfx/font.h"
#include "sys/text.h"

namespace picgen {
namespace {

std::shared_ptr<const gfx::Font> fontFor(const TextStyle& st) {
  // The game's own face names, so the lettering matches what the font layer draws at run time.
  switch (st.face) {
    case Face::Heavy: return gfx::Font::open({"HG創英角ｺﾞｼｯｸUB", st.px, false, true});
    case Face::Bold: return gfx::Font::open({"M PLUS 1", st.px, true, true});
    default: return gfx::Font::open({"ＭＳ ゴシック", st.px, false, true});
  }
}

// Coverage 0..255 of the whole string, origin = top-left of the em box at `pad`.
struct Mask {
  int w = 0, h = 0, pad = 0;
  std::vector<uint8_t> a;
  uint8_t at(int x, int y) const {
    return x < 0 || y < 0 || x >= w || y >= h
               ? 0
               : a[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
  }
  uint8_t& ref(int x, int y) { return a[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)]; }
};

Mask render(const std::string& utf8, const TextStyle& st) {
  auto font = fontFor(st);
  // Centre the em box on the font's own ascent/descent split.
  int baseline = font->ascent() * st.px / std::max(1, font->height());
  Mask mk;
  mk.pad = st.outline + st.shadow + 2;
  mk.w = font->extent(utf8).cx + 2 * mk.pad + st.px;
  mk.h = st.px * 2 + 2 * mk.pad;
  mk.a.assign(static_cast<size_t>(mk.w) * static_cast<size_t>(mk.h), 0);
  int pen = mk.pad;
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = sys::nextCodePoint(utf8, i);
    const gfx::Font::Glyph& g = font->grayGlyph(cp);
    for (int y = 0; y < g.grayH; ++y)
      for (int x = 0; x < g.grayW; ++x) {
        int X = pen + g.grayLeft + x, Y = mk.pad + baseline + g.grayTop + y;
        if (X < 0 || Y < 0 || X >= mk.w || Y >= mk.h) continue;
        uint8_t v = (*g.gray)[static_cast<size_t>(y) * static_cast<size_t>(g.grayW) + static_cast<size_t>(x)];
        mk.ref(X, Y) = std::max(mk.ref(X, Y), v);
      }
    pen += g.advance;
  }
  return mk;
}

// Narrows the mask horizontally by `scale` (< 1), averaging the coverage each new column spans.
Mask squeeze(const Mask& m, double scale) {
  Mask out = m;
  std::fill(out.a.begin(), out.a.end(), 0);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      double from = (x - m.pad) / scale + m.pad, to = (x + 1 - m.pad) / scale + m.pad;
      double sum = 0;
      for (int sx = static_cast<int>(std::floor(from)); sx < static_cast<int>(std::ceil(to)); ++sx) {
        double part = std::min<double>(sx + 1, to) - std::max<double>(sx, from);
        if (part > 0) sum += part * m.at(sx, y);
      }
      out.ref(x, y) = static_cast<uint8_t>(std::clamp(sum / (to - from) + 0.5, 0.0, 255.0));
    }
  return out;
}

void harden(Mask& m) {
  for (auto& v : m.a) v = v >= 110 ? 255 : 0;
}

Mask dilate(const Mask& m, int r) {
  Mask out = m;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      uint8_t best = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
          if (dx * dx + dy * dy <= r * r + r) best = std::max(best, m.at(x + dx, y + dy));
      out.a[static_cast<size_t>(y) * static_cast<size_t>(m.w) + static_cast<size_t>(x)] = best;
    }
  return out;
}

Rect inkOf(const Mask& m) {
  Rect r{m.w, m.h, 0, 0};
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.at(x, y) >= 64) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  if (r.empty()) return {};
  return r;
}

struct Layers {
  Mask fill, edge;  // edge = the outline (fill dilated)
  Rect ink;         // of everything drawn, in mask coordinates
};

Layers layers(const std::string& utf8, const TextStyle& st) {
  Mask full = render(utf8, st);
  Mask base = full;
  int extra = 2 * st.outline + st.shadow;
  Rect ink = inkOf(full);
  if (st.maxWidth > 0 && ink.width() + extra > st.maxWidth && ink.width() > 0) {
    double scale = static_cast<double>(st.maxWidth - extra) / ink.width();
    // Rounding can leave a pixel over: shrink until it fits.
    do base = squeeze(full, scale), scale -= 0.02;
    while (inkOf(base).width() + extra > st.maxWidth && scale > 0.3);
  }
  if (!st.smooth) harden(base);
  Layers L{base, st.outline > 0 ? dilate(base, st.outline) : base, {}};
  Rect r = inkOf(L.edge);
  if (!r.empty() && st.shadow > 0) r.right += st.shadow, r.bottom += st.shadow;
  L.ink = r;
  return L;
}

void blend(Surface& s, int x, int y, Color c, int a) {
  if (a <= 0) return;
  Color d = s.pixel(x, y);
  if (d == gfx::kInvalidColor) return;
  s.setPixel(x, y, avoidKeys(a >= 255 ? c : mix(d, c, a * 256 / 255)));
}

void paint(Surface& s, int ox, int oy, const Layers& L, const TextStyle& st) {
  auto smooth = [&](uint8_t v) { return st.smooth ? static_cast<int>(v) : (v >= 128 ? 255 : 0); };
  Rect fi = inkOf(L.fill);
  int h = std::max(1, fi.height() - 1);
  if (st.shadow > 0)
    for (int y = 0; y < L.edge.h; ++y)
      for (int x = 0; x < L.edge.w; ++x)
        blend(s, ox + x + st.shadow, oy + y + st.shadow, st.shadowColor, smooth(L.edge.at(x, y)));
  if (st.outline > 0)
    for (int y = 0; y < L.edge.h; ++y)
      for (int x = 0; x < L.edge.w; ++x) blend(s, ox + x, oy + y, st.outlineColor, smooth(L.edge.at(x, y)));
  for (int y = 0; y < L.fill.h; ++y) {
    Color c = mix(st.top, st.bottom, std::clamp((y - fi.top) * 256 / h, 0, 256));
    for (int x = 0; x < L.fill.w; ++x) blend(s, ox + x, oy + y, c, smooth(L.fill.at(x, y)));
  }
}

}  // namespace

Rect measureText(const std::string& utf8, const TextStyle& st) {
  Layers L = layers(utf8, st);
  return L.ink.offset(-L.fill.pad, -L.fill.pad);
}

void drawText(Surface& s, int x, int y, const std::string& utf8, const TextStyle& st) {
  Layers L = layers(utf8, st);
  paint(s, x - L.fill.pad, y - L.fill.pad, L, st);
}

void drawTextCentered(Surface& s, Rect r, const std::string& utf8, const TextStyle& st) {
  Layers L = layers(utf8, st);
  if (L.ink.empty()) return;
  int ox = r.left + (r.width() - L.ink.width()) / 2 - L.ink.left;
  int oy = r.top + (r.height() - L.ink.height()) / 2 - L.ink.top;
  paint(s, ox, oy, L, st);
}

void drawTextLeft(Surface& s, int x, int top, int bottom, const std::string& utf8, const TextStyle& st) {
  Layers L = layers(utf8, st);
  if (L.ink.empty()) return;
  int oy = top + (bottom - top - L.ink.height()) / 2 - L.ink.top;
  paint(s, x - L.ink.left, oy, L, st);
}

}  // namespace picgen
