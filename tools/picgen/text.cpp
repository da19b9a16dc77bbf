#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace picgen {
namespace {

// Faces by preference; the first that exists wins, and a glyph missing from it comes from the
// plain gothic so a label never shows a blank box.
const std::vector<const char*>& candidates(Face f) {
  static const std::vector<const char*> heavy = {"/usr/share/fonts/opentype/mplus/Mplus1-Black.otf",
                                                 "/usr/share/fonts/opentype/mplus/Mplus1-ExtraBold.otf",
                                                 "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"};
  static const std::vector<const char*> bold = {"/usr/share/fonts/opentype/mplus/Mplus1-Bold.otf",
                                                "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"};
  static const std::vector<const char*> plain = {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"};
  switch (f) {
    case Face::Heavy: return heavy;
    case Face::Bold: return bold;
    default: return plain;
  }
}

struct Library {
  FT_Library lib = nullptr;
  std::map<std::string, FT_Face> faces;
  Library() {
    if (FT_Init_FreeType(&lib)) throw std::runtime_error("FreeType does not start");
  }
  ~Library() {
    for (auto& [_, f] : faces) FT_Done_Face(f);
    FT_Done_FreeType(lib);
  }
  FT_Face open(const char* path) {
    auto it = faces.find(path);
    if (it != faces.end()) return it->second;
    FT_Face f = nullptr;
    if (FT_New_Face(lib, path, 0, &f)) f = nullptr;
    faces[path] = f;
    return f;
  }
  FT_Face face(Face which) {
    for (const char* p : candidates(which))
      if (FT_Face f = open(p)) return f;
    throw std::runtime_error("no Japanese gothic font installed (fonts-ipafont-gothic)");
  }
  FT_Face fallback() { return face(Face::Plain); }
};

Library& library() {
  static Library l;
  return l;
}

std::vector<char32_t> decode(const std::string& s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < n && i + static_cast<size_t>(k) < s.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
    out.push_back(cp);
    i += static_cast<size_t>(n);
  }
  return out;
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
};

Mask render(const std::string& utf8, const TextStyle& st, double xscale) {
  Library& L = library();
  FT_Face main = L.face(st.face);
  FT_Face alt = L.fallback();
  auto cps = decode(utf8);
  FT_Matrix m{static_cast<FT_Fixed>(std::lround(xscale * 65536.0)), 0, 0, 0x10000};
  struct G {
    std::vector<uint8_t> bits;
    int w, h, left, top, pitch;
    long pen;
  };
  std::vector<G> glyphs;
  long pen = 0;  // 26.6
  int ascent = 0;
  for (FT_Face f : {main, alt}) {
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(st.px));
    FT_Set_Transform(f, &m, nullptr);
  }
  ascent = static_cast<int>(main->size->metrics.ascender >> 6);
  // Centre the em box on the font's own ascender/descender split.
  int descent = static_cast<int>(-(main->size->metrics.descender >> 6));
  int baseline = ascent * st.px / std::max(1, ascent + descent);
  for (char32_t cp : cps) {
    FT_Face f = main;
    FT_UInt gi = FT_Get_Char_Index(f, cp);
    if (gi == 0) {
      f = alt;
      gi = FT_Get_Char_Index(f, cp);
    }
    if (FT_Load_Glyph(f, gi, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) ||
        FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL))
      continue;
    FT_Bitmap& b = f->glyph->bitmap;
    G g{{}, static_cast<int>(b.width), static_cast<int>(b.rows), f->glyph->bitmap_left, f->glyph->bitmap_top, b.pitch,
        pen};
    for (unsigned y = 0; y < b.rows; ++y)
      for (unsigned x = 0; x < b.width; ++x) g.bits.push_back(b.buffer[y * static_cast<unsigned>(b.pitch) + x]);
    g.pitch = static_cast<int>(b.width);
    glyphs.push_back(std::move(g));
    pen += f->glyph->advance.x;
  }
  Mask mk;
  mk.pad = st.outline + st.shadow + 2;
  mk.w = static_cast<int>(pen >> 6) + 2 * mk.pad + st.px;
  mk.h = st.px * 2 + 2 * mk.pad;
  mk.a.assign(static_cast<size_t>(mk.w) * static_cast<size_t>(mk.h), 0);
  for (auto& g : glyphs) {
    int ox = mk.pad + static_cast<int>(g.pen >> 6) + g.left;
    int oy = mk.pad + baseline - g.top;
    for (int y = 0; y < g.h; ++y)
      for (int x = 0; x < g.w; ++x) {
        int X = ox + x, Y = oy + y;
        if (X < 0 || Y < 0 || X >= mk.w || Y >= mk.h) continue;
        auto& d = mk.a[static_cast<size_t>(Y) * static_cast<size_t>(mk.w) + static_cast<size_t>(X)];
        d = std::max(d, g.bits[static_cast<size_t>(y) * static_cast<size_t>(g.w) + static_cast<size_t>(x)]);
      }
  }
  if (!st.smooth)
    for (auto& v : mk.a) v = v >= 110 ? 255 : 0;
  return mk;
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
  Mask base = render(utf8, st, 1.0);
  Rect ink = inkOf(base);
  int extra = 2 * st.outline + st.shadow;
  if (st.maxWidth > 0 && ink.width() + extra > st.maxWidth && ink.width() > 0) {
    double scale = static_cast<double>(st.maxWidth - extra) / ink.width();
    base = render(utf8, st, scale);
    // Rounding can leave a pixel over: shrink until it fits.
    while (inkOf(base).width() + extra > st.maxWidth && scale > 0.3) base = render(utf8, st, scale -= 0.02);
  }
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
