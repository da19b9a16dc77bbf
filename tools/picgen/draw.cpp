#include "draw.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace picgen {

Color hex(const char* rrggbb) {
  std::string h(rrggbb);
  if (h.size() != 6) throw std::runtime_error("bad colour " + h);
  unsigned v = static_cast<unsigned>(std::stoul(h, nullptr, 16));
  return gfx::rgb(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
}

Color mix(Color a, Color b, int t) {
  t = std::clamp(t, 0, 256);
  auto ch = [&](int x, int y) { return x + (y - x) * t / 256; };
  return gfx::rgb(ch(gfx::red(a), gfx::red(b)), ch(gfx::green(a), gfx::green(b)), ch(gfx::blue(a), gfx::blue(b)));
}

Color shade(Color c, int amount) { return amount >= 0 ? mix(c, gfx::kWhite, amount) : mix(c, gfx::kBlack, -amount); }

Color avoidKeys(Color c) {
  if (c == gfx::kMagenta) return gfx::rgb(254, 0, 254);
  if (c == gfx::kRed) return gfx::rgb(254, 0, 0);
  return c;
}

void fill(Surface& s, Rect r, Color c) {
  r = r.intersect(s.bounds());
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) s.setPixel(x, y, c);
}

void frame(Surface& s, Rect r, Color c, int thickness) {
  for (int i = 0; i < thickness; ++i) {
    Rect q{r.left + i, r.top + i, r.right - i, r.bottom - i};
    if (q.empty()) return;
    hline(s, q.left, q.right - 1, q.top, c);
    hline(s, q.left, q.right - 1, q.bottom - 1, c);
    vline(s, q.left, q.top, q.bottom - 1, c);
    vline(s, q.right - 1, q.top, q.bottom - 1, c);
  }
}

void hline(Surface& s, int x0, int x1, int y, Color c) {
  if (x0 > x1) std::swap(x0, x1);
  for (int x = x0; x <= x1; ++x) s.setPixel(x, y, c);
}

void vline(Surface& s, int x, int y0, int y1, Color c) {
  if (y0 > y1) std::swap(y0, y1);
  for (int y = y0; y <= y1; ++y) s.setPixel(x, y, c);
}

void line(Surface& s, int x0, int y0, int x1, int y1, Color c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    s.setPixel(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void thickLine(Surface& s, int x0, int y0, int x1, int y1, int width, Color c) {
  if (width <= 1) return line(s, x0, y0, x1, y1, c);
  // A square brush along the line: blocky, which is what pixel art wants.
  int lo = -(width - 1) / 2, hi = width / 2;
  for (int oy = lo; oy <= hi; ++oy)
    for (int ox = lo; ox <= hi; ++ox) line(s, x0 + ox, y0 + oy, x1 + ox, y1 + oy, c);
}

namespace {
// Squared distance in half pixels from the pixel (x, y)'s centre to (cx2, cy2).
long dist2(int x, int y, int cx2, int cy2) {
  long dx = 2L * x + 1 - cx2, dy = 2L * y + 1 - cy2;
  return dx * dx + dy * dy;
}
}  // namespace

void disc2(Surface& s, int cx2, int cy2, int r2, Color c) {
  long lim = static_cast<long>(r2) * r2;
  for (int y = (cy2 - r2) / 2 - 1; y <= (cy2 + r2) / 2 + 1; ++y)
    for (int x = (cx2 - r2) / 2 - 1; x <= (cx2 + r2) / 2 + 1; ++x)
      if (dist2(x, y, cx2, cy2) <= lim) s.setPixel(x, y, c);
}

void ring2(Surface& s, int cx2, int cy2, int r2, Color c, int thickness) {
  long outer = static_cast<long>(r2) * r2;
  long in = std::max(0, r2 - 2 * thickness);
  long inner = in * in;
  for (int y = (cy2 - r2) / 2 - 1; y <= (cy2 + r2) / 2 + 1; ++y)
    for (int x = (cx2 - r2) / 2 - 1; x <= (cx2 + r2) / 2 + 1; ++x) {
      long d = dist2(x, y, cx2, cy2);
      if (d <= outer && d > inner) s.setPixel(x, y, c);
    }
}

void ellipse(Surface& s, Rect r, Color c) {
  // Compared in doubled coordinates so even sizes stay symmetric.
  long w = r.width(), h = r.height();
  if (w <= 0 || h <= 0) return;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      long dx = 2L * (x - r.left) + 1 - w, dy = 2L * (y - r.top) + 1 - h;
      if (dx * dx * h * h + dy * dy * w * w <= w * w * h * h) s.setPixel(x, y, c);
    }
}

void polygon(Surface& s, const std::vector<Point>& pts, Color c) {
  if (pts.size() < 3) return;
  int ymin = pts[0].y, ymax = pts[0].y;
  for (auto& p : pts) ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
  // Sample each row at the pixel centre; the vertices are pixel corners.
  for (int y = ymin; y < ymax; ++y) {
    double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      Point a = pts[i], b = pts[(i + 1) % pts.size()];
      if ((a.y <= sy) != (b.y <= sy)) xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(xs[i] + 0.5); x < static_cast<int>(xs[i + 1] + 0.5); ++x) s.setPixel(x, y, c);
  }
}

void roundRect(Surface& s, Rect r, int radius, Color c) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      int dx = std::max({0, r.left + radius - x - 1, x - (r.right - radius)});
      int dy = std::max({0, r.top + radius - y - 1, y - (r.bottom - radius)});
      if (dx * dx + dy * dy <= radius * radius - radius / 2) s.setPixel(x, y, c);
    }
}

void bevel(Surface& s, Rect r, Color light, Color dark, int width, bool sunken) {
  if (sunken) std::swap(light, dark);
  for (int i = 0; i < width; ++i) {
    Rect q{r.left + i, r.top + i, r.right - i, r.bottom - i};
    if (q.empty()) return;
    hline(s, q.left, q.right - 1, q.top, light);
    vline(s, q.left, q.top, q.bottom - 1, light);
    hline(s, q.left, q.right - 1, q.bottom - 1, dark);
    vline(s, q.right - 1, q.top, q.bottom - 1, dark);
  }
}

void bandGradient(Surface& s, Rect r, Color top, Color bottom, int bands) {
  int h = r.height();
  if (h <= 0) return;
  bands = std::clamp(bands, 1, h);
  for (int y = r.top; y < r.bottom; ++y) {
    int band = (y - r.top) * bands / h;
    int t = bands == 1 ? 0 : band * 256 / (bands - 1);
    hline(s, r.left, r.right - 1, y, mix(top, bottom, t));
  }
}

bool ditherOn(int x, int y, int level) {
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return bayer[y & 3][x & 3] < level;
}

void dither(Surface& s, Rect r, Color a, Color b, int level) {
  r = r.intersect(s.bounds());
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) s.setPixel(x, y, ditherOn(x, y, level) ? b : a);
}

void stamp(Surface& dst, int x, int y, const Surface& src, Color key) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx) {
      Color c = src.pixel(sx, sy);
      if (c != key) dst.setPixel(x + sx, y + sy, c);
    }
}

void stampScaled(Surface& dst, int x, int y, const Surface& src, int factor, Color key) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx) {
      Color c = src.pixel(sx, sy);
      if (c != key) fill(dst, Rect::xywh(x + sx * factor, y + sy * factor, factor, factor), c);
    }
}

Surface mirrored(const Surface& src) {
  Surface out(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) out.setPixel(src.width() - 1 - x, y, src.pixel(x, y));
  return out;
}

Surface turnedLeft(const Surface& src) {
  Surface out(src.height(), src.width());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) out.setPixel(y, src.width() - 1 - x, src.pixel(x, y));
  return out;
}

Surface recoloured(const Surface& src, const std::map<Color, Color>& swaps) {
  Surface s = src;
  for (Color& c : s.mutablePixels()) {
    auto it = swaps.find(c);
    if (it != swaps.end()) c = it->second;
  }
  return s;
}

void replaceColor(Surface& s, Rect r, Color from, Color to) {
  r = r.intersect(s.bounds());
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (s.pixel(x, y) == from) s.setPixel(x, y, to);
}

void outline(Surface& s, Rect area, Color bg, Color ink, bool diagonal) {
  area = area.intersect(s.bounds());
  std::vector<Point> marks;
  auto solid = [&](int x, int y) { return area.contains(x, y) && s.pixel(x, y) != bg && s.pixel(x, y) != ink; };
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      if (s.pixel(x, y) != bg) continue;
      bool touch = solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1);
      if (diagonal)
        touch = touch || solid(x - 1, y - 1) || solid(x + 1, y - 1) || solid(x - 1, y + 1) || solid(x + 1, y + 1);
      if (touch) marks.push_back({x, y});
    }
  for (auto p : marks) s.setPixel(p.x, p.y, ink);
}

void rimLight(Surface& s, Rect area, Color bg, int amount) {
  area = area.intersect(s.bounds());
  Surface before = s;
  auto isBg = [&](int x, int y) { return !area.contains(x, y) || before.pixel(x, y) == bg; };
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      Color c = before.pixel(x, y);
      if (c == bg) continue;
      if (isBg(x - 1, y) || isBg(x, y - 1))
        s.setPixel(x, y, avoidKeys(shade(c, amount)));
      else if (isBg(x + 1, y) || isBg(x, y + 1))
        s.setPixel(x, y, avoidKeys(shade(c, -amount)));
    }
}

}  // namespace picgen

namespace picgen {
namespace {
// Each glyph is 5 rows of 3 bits, most significant bit on the left.
const char* glyph(char ch) {
  switch (ch) {
    case 'A': return "010101111101101";
    case 'B': return "110101110101110";
    case 'C': return "011100100100011";
    case 'D': return "110101101101110";
    case 'E': return "111100110100111";
    case 'F': return "111100110100100";
    case 'G': return "011100101101011";
    case 'H': return "101101111101101";
    case 'I': return "111010010010111";
    case 'J': return "001001001101010";
    case 'K': return "101101110101101";
    case 'L': return "100100100100111";
    case 'M': return "101111111101101";
    case 'N': return "110101101101101";
    case 'O': return "010101101101010";
    case 'P': return "110101110100100";
    case 'Q': return "010101101110011";
    case 'R': return "110101110101101";
    case 'S': return "011100010001110";
    case 'T': return "111010010010010";
    case 'U': return "101101101101111";
    case 'V': return "101101101101010";
    case 'W': return "101101111111101";
    case 'X': return "101101010101101";
    case 'Y': return "101101010010010";
    case 'Z': return "111001010100111";
    case '0': return "111101101101111";
    case '1': return "010110010010111";
    case '2': return "110001010100111";
    case '3': return "110001010001110";
    case '4': return "101101111001001";
    case '5': return "111100110001110";
    case '6': return "011100111101111";
    case '7': return "111001010010010";
    case '8': return "111101111101111";
    case '9': return "111101111001110";
    case '!': return "010010010000010";
    case '-': return "000000111000000";
    case '.': return "000000000000010";
    case ':': return "000010000010000";
    default: return "000000000000000";
  }
}
}  // namespace

int pixelTextWidth(const std::string& text, int scale) {
  if (text.empty()) return 0;
  return (static_cast<int>(text.size()) * 4 - 1) * scale;
}

int pixelText(Surface& s, int x, int y, const std::string& text, Color c, int scale) {
  int pen = x;
  for (char ch : text) {
    const char* g = glyph(ch);
    for (int r = 0; r < 5; ++r)
      for (int k = 0; k < 3; ++k)
        if (g[r * 3 + k] == '1') fill(s, Rect::xywh(pen + k * scale, y + r * scale, scale, scale), c);
    pen += 4 * scale;
  }
  return pixelTextWidth(text, scale);
}

}  // namespace picgen
