#include "system/bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "gfx/blit.h"

using gfx::Color;
using gfx::Surface;

namespace {

constexpr Color kNoPixel = gfx::kInvalidColor;  // never equal to a 24-bit pixel

Color asColor(int32_t v) { return static_cast<Color>(v); }
int32_t asLong(Color c) { return static_cast<int32_t>(c); }

// The indices of `cols` holding a source column: one run, as the stretch walks the source in
// one direction.
std::pair<int, int> sampledRange(const std::vector<int>& cols) {
  int lo = 0, hi = static_cast<int>(cols.size());
  while (lo < hi && cols[static_cast<size_t>(lo)] < 0) ++lo;
  while (hi > lo && cols[static_cast<size_t>(hi - 1)] < 0) --hi;
  return {lo, hi};
}

// out[i] = back[i] where in[i] is (or with invert: is not) the key, in[i] elsewhere; four pixels
// at a time. out may be back.
void keyRun(Color* out, const Color* in, const Color* back, int n, Color key, bool invert) {
  using Quad = Color __attribute__((vector_size(16)));
  const Quad keys = {key, key, key, key}, flip = invert ? ~Quad{} : Quad{};
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    Quad s, b;
    std::memcpy(&s, in + i, sizeof s);
    std::memcpy(&b, back + i, sizeof b);
    const Quad showBack = reinterpret_cast<Quad>(s == keys) ^ flip;
    const Quad r = (b & showBack) | (s & ~showBack);
    std::memcpy(out + i, &r, sizeof r);
  }
  for (; i < n; ++i) out[i] = (in[i] == key) != invert ? back[i] : in[i];
}

// out[i] = in[i] drawn over out[i] at opacity 255 - f, each channel by c + f * (out - c) / 256
// truncated toward zero; nothing where mask[i] is set. Four pixels at a time.
void blendRun(Color* out, const Color* in, const uint8_t* mask, int n, int f) {
  using Quad = int32_t __attribute__((vector_size(16)));
  auto blend = [f](auto s, auto d) {
    decltype(s) r{};
    for (int shift = 0; shift < 24; shift += 8) {
      const auto c = (s >> shift) & 0xFF;
      const auto x = f * (((d >> shift) & 0xFF) - c);
      r |= (c + ((x + ((x >> 31) & 0xFF)) >> 8)) << shift;  // x / 256 without a division
    }
    return r;
  };
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    Quad s, d;
    std::memcpy(&s, in + i, sizeof s);
    std::memcpy(&d, out + i, sizeof d);
    const Quad keep = Quad{mask[i], mask[i + 1], mask[i + 2], mask[i + 3]} != 0;
    const Quad r = (d & keep) | (blend(s, d) & ~keep);
    std::memcpy(out + i, &r, sizeof r);
  }
  for (; i < n; ++i)
    if (!mask[i]) out[i] = static_cast<Color>(blend(static_cast<int32_t>(in[i]), static_cast<int32_t>(out[i])));
}

}  // namespace

void TransBlt(Surface& Dest, const Surface& Back, const Surface& Src, int32_t left, int32_t top, int32_t right,
              int32_t bottom, int32_t DestX, int32_t DestY, KeyColorRef KeyColor, int32_t DestWidth, int32_t DestHeight,
              bool Invert) {
  if (KeyColor.get() == -1) KeyColor.set(asLong(Src.pixel(0, 0)));
  const Color key = asColor(KeyColor.get());
  const int sw = right - left, sh = bottom - top;
  const int w = DestWidth == -1 ? sw : DestWidth, h = DestHeight == -1 ? sh : DestHeight;
  if (w <= 0 || h <= 0) return;  // the work images cannot be made
  Surface copy;
  const Surface* src = &Src;
  if (&Src == &Dest) {  // the design reads the whole sprite before it writes
    copy = Src;
    src = &copy;
  }
  const std::vector<int> cols = gfx::stretchSource(w, left, sw, src->width());
  const std::vector<int> rows = gfx::stretchSource(h, top, sh, src->height());
  const auto [sampledLo, sampledHi] = sampledRange(cols);
  const bool stretched = w != sw;
  const int backWidth = Back.width();
  std::vector<Color> line;  // a stretched source row
  int lineRow = -1;
  // Where the source has no pixel the mask stays clear and the sprite black, as in the design's
  // fresh work images; Invert turns such pixels into Back.
  for (int j = 0; j < h; ++j) {
    const int dy = DestY + j, sy = rows[static_cast<size_t>(j)];
    const Color* in = sy >= 0 ? src->row(sy) : nullptr;
    const Color* back = dy < Back.height() && dy >= 0 ? Back.row(dy) : nullptr;
    gfx::forEachWritableRun(Dest, dy, DestX, DestX + w, [&](int a, int b) {
      Color* out = Dest.mutableRow(dy);
      const int* c = cols.data();
      if (in && back && b <= backWidth && a - DestX >= sampledLo && b - DestX <= sampledHi) {
        // Every pixel of the run has a source and a back: the common case.
        if (stretched && lineRow != sy) {
          line.resize(static_cast<size_t>(w));
          for (int i = sampledLo; i < sampledHi; ++i) line[static_cast<size_t>(i)] = in[c[i]];
          lineRow = sy;
        }
        const Color* sprite = stretched ? line.data() + (a - DestX) : in + (left + a - DestX);
        keyRun(out + a, sprite, back + a, b - a, key, Invert);
        return;
      }
      for (int dx = a; dx < b; ++dx) {
        const int sx = c[dx - DestX];
        const bool has = in && sx >= 0;
        const Color s = has ? in[sx] : gfx::kBlack;
        const bool showBack = (has && s == key) != Invert;
        out[dx] = showBack ? (back && dx < backWidth ? back[dx] : gfx::kBlack) : s;
      }
    });
  }
}

int32_t FloodMaskFromCorners(gfx::Mask& Mask, const Surface& Src, int32_t SrcX, int32_t SrcY, int32_t Width,
                             int32_t Height) {
  const Color key = Src.pixel(SrcX, SrcY);
  Mask = gfx::Mask(Width, Height);
  if (Mask.empty() || key == kNoPixel) return asLong(key);
  // The key pixels, then those of them reached four ways from the border, a row's run at a time.
  const gfx::Mask keyed = gfx::Mask::fromColorKey(Src, gfx::Rect::xywh(SrcX, SrcY, Width, Height), key);
  auto open = [&](int x, int y) { return keyed.row(y)[x] && !Mask.row(y)[x]; };
  std::vector<std::pair<int, int>> seeds;
  for (int x = 0; x < Width; ++x) seeds.insert(seeds.end(), {{x, 0}, {x, Height - 1}});
  for (int y = 0; y < Height; ++y) seeds.insert(seeds.end(), {{0, y}, {Width - 1, y}});
  while (!seeds.empty()) {
    const auto [x, y] = seeds.back();
    seeds.pop_back();
    if (!open(x, y)) continue;
    int l = x, r = x + 1;
    while (l > 0 && open(l - 1, y)) --l;
    while (r < Width && open(r, y)) ++r;
    std::fill(Mask.mutableRow(y) + l, Mask.mutableRow(y) + r, uint8_t{1});
    for (int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= Height) continue;
      for (int i = l; i < r; ++i)
        if (open(i, ny) && (i == l || !open(i - 1, ny))) seeds.emplace_back(i, ny);
    }
  }
  return asLong(key);
}

void AlphaKeyBlt(Surface& Dest, int32_t DestX, int32_t DestY, int32_t Width, int32_t Height, const Surface& Src,
                 int32_t SrcX, int32_t SrcY, int32_t Alpha, KeyColorRef KeyColor, bool PlainKey) {
  if (Width <= 0 || Height <= 0) return;
  gfx::Mask mask;
  if (PlainKey)
    mask = gfx::Mask::fromColorKey(Src, gfx::Rect::xywh(SrcX, SrcY, Width, Height),
                                   gfx::translateColor(asColor(KeyColor.get())));
  else
    KeyColor.set(FloodMaskFromCorners(mask, Src, SrcX, SrcY, Width, Height));
  AlphaMaskBlt(Dest, DestX, DestY, Src, SrcX, SrcY, Alpha, mask);
}

void AlphaMaskBlt(Surface& Dest, int32_t DestX, int32_t DestY, const Surface& Src, int32_t SrcX, int32_t SrcY,
                  int32_t Alpha, const gfx::Mask& Mask) {
  Surface copy;
  const Surface* src = &Src;
  if (&Src == &Dest) {  // every pixel is read before any is written
    copy = Src;
    src = &copy;
  }
  const int f = std::clamp(255 - Alpha, 0, 255);
  // Only the part of the area that lies on Src has pixels to draw.
  const int i0 = std::max(0, -SrcX), i1 = std::min(Mask.width(), src->width() - SrcX);
  for (int j = 0; j < Mask.height(); ++j) {
    const int dy = DestY + j, sy = SrcY + j;
    if (sy < 0 || sy >= src->height()) continue;
    gfx::forEachWritableRun(Dest, dy, DestX + i0, DestX + i1, [&](int a, int b) {
      blendRun(Dest.mutableRow(dy) + a, src->row(sy) + (SrcX + a - DestX), Mask.row(j) + (a - DestX), b - a, f);
    });
  }
}

void DibStripBlt(Surface& Picture, int32_t Width, int32_t Height, int32_t Steps) {
  // Steps 0 would divide by zero in the palette; sizes past a sane picture are refused too.
  if (Steps < 1 || Width <= 0 || Height <= 0) return;
  const int64_t stripWidth = (int64_t{Steps} + 2) * Width;
  if (stripWidth > 1 << 20 || stripWidth * Height > int64_t{1} << 26) return;
  const int n = Steps;
  Picture.resize(static_cast<int>(stripWidth), Height);
  // The 216-colour cube: each channel on six levels, the nearest level per channel being the
  // nearest palette colour.
  constexpr int kLevel[6] = {0, 51, 102, 153, 204, 255};
  std::vector<uint8_t> index(static_cast<size_t>(Width) * static_cast<size_t>(Height));
  for (int y = 0; y < Height; ++y) {
    const Color* row = Picture.row(y);
    for (int x = 0; x < Width; ++x) {
      const Color c = row[x];
      auto level = [](int v) { return (v + 25) / 51; };
      // First level slowest, in the blue byte; the last fastest, in the red byte.
      index[static_cast<size_t>(y) * Width + x] =
          static_cast<uint8_t>(level(gfx::blue(c)) * 36 + level(gfx::green(c)) * 6 + level(gfx::red(c)));
    }
  }
  Surface strip(static_cast<int>(stripWidth) - Width, Height);
  for (int k = 0; k <= n; ++k) {
    // Level x k / n to the nearest byte, a half to the even neighbour.
    auto scale = [&](int l) {
      const int p = l * k, q = p / n, r = p % n;
      return 2 * r > n || (2 * r == n && q % 2 == 1) ? q + 1 : q;
    };
    Color palette[216];
    for (int i = 0; i < 216; ++i)
      palette[i] = gfx::rgb(scale(kLevel[i % 6]), scale(kLevel[i / 6 % 6]), scale(kLevel[i / 36]));
    const int x0 = (n - k) * Width;  // frame n + 1 - k, less the untouched frame 0
    for (int y = 0; y < Height; ++y) {
      Color* out = strip.mutableRow(y) + x0;
      const uint8_t* in = index.data() + static_cast<size_t>(y) * Width;
      for (int x = 0; x < Width; ++x) out[x] = palette[in[x]];
    }
  }
  gfx::bitBlt(Picture, Width, 0, strip.width(), Height, strip, 0, 0);
}
