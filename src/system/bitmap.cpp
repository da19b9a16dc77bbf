#include "system/bitmap.h"

#include <algorithm>
#include <vector>

#include "gfx/blit.h"

using gfx::Color;
using gfx::Surface;

namespace {

constexpr Color kNoPixel = gfx::kInvalidColor;  // never equal to a 24-bit pixel

Color asColor(int32_t v) { return static_cast<Color>(v); }
int32_t asLong(Color c) { return static_cast<int32_t>(c); }

// The Width x Height area of src at (x, y), row by row; kNoPixel where it lies outside src.
std::vector<Color> readArea(const Surface& src, int x, int y, int w, int h) {
  std::vector<Color> out(static_cast<size_t>(w) * static_cast<size_t>(h), kNoPixel);
  for (int j = 0; j < h; ++j) {
    if (y + j < 0 || y + j >= src.height()) continue;
    const Color* row = src.row(y + j);
    for (int i = std::max(0, -x); i < w && x + i < src.width(); ++i) out[static_cast<size_t>(j) * w + i] = row[x + i];
  }
  return out;
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
  // Where the source has no pixel the mask stays clear and the sprite black, as in the design's
  // fresh work images; Invert turns such pixels into Back.
  for (int j = 0; j < h; ++j) {
    const int dy = DestY + j, sy = rows[static_cast<size_t>(j)];
    const Color* in = sy >= 0 ? src->row(sy) : nullptr;
    const Color* back = dy < Back.height() && dy >= 0 ? Back.row(dy) : nullptr;
    const int backWidth = Back.width();
    gfx::forEachWritableRun(Dest, dy, DestX, DestX + w, [&](int a, int b) {
      Color* out = Dest.mutableRow(dy);
      for (int dx = a; dx < b; ++dx) {
        const int sx = cols[static_cast<size_t>(dx - DestX)];
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
  if (Mask.empty()) return asLong(key);
  // Key pixels black, the rest white; every black region touching the border is flooded red.
  const std::vector<Color> area = readArea(Src, SrcX, SrcY, Width, Height);
  Surface work(Width, Height, gfx::kWhite);
  for (int j = 0; j < Height; ++j) {
    Color* row = work.mutableRow(j);
    for (int i = 0; i < Width; ++i)
      if (key != kNoPixel && area[static_cast<size_t>(j) * Width + i] == key) row[i] = gfx::kBlack;
  }
  auto flood = [&](int x, int y) { gfx::floodFill(work, x, y, gfx::kBlack, gfx::FloodMode::Surface, gfx::kRed); };
  for (int x = 0; x < Width; ++x) {
    flood(x, 0);
    flood(x, Height - 1);
  }
  for (int y = 0; y < Height; ++y) {
    flood(0, y);
    flood(Width - 1, y);
  }
  for (int j = 0; j < Height; ++j) {
    const Color* row = work.row(j);
    uint8_t* m = Mask.mutableRow(j);
    for (int i = 0; i < Width; ++i) m[i] = row[i] == gfx::kRed;
  }
  return asLong(key);
}

void AlphaKeyBlt(Surface& Dest, int32_t DestX, int32_t DestY, int32_t Width, int32_t Height, const Surface& Src,
                 int32_t SrcX, int32_t SrcY, int32_t Alpha, KeyColorRef KeyColor, bool PlainKey) {
  if (Width <= 0 || Height <= 0) return;
  const int f = std::clamp(255 - Alpha, 0, 255);
  const std::vector<Color> area = readArea(Src, SrcX, SrcY, Width, Height);
  gfx::Mask mask;
  if (PlainKey) {
    const Color key = gfx::translateColor(asColor(KeyColor.get()));
    mask = gfx::Mask(Width, Height);
    for (int j = 0; j < Height; ++j)
      for (int i = 0; i < Width; ++i)
        if (area[static_cast<size_t>(j) * Width + i] == key) mask.set(i, j);
  } else {
    KeyColor.set(FloodMaskFromCorners(mask, Src, SrcX, SrcY, Width, Height));
  }
  auto blend = [f](int s, int d) { return s + f * (d - s) / 256; };  // truncates toward zero
  for (int j = 0; j < Height; ++j) {
    const int dy = DestY + j;
    const Color* in = area.data() + static_cast<size_t>(j) * Width;
    const uint8_t* m = mask.row(j);
    gfx::forEachWritableRun(Dest, dy, DestX, DestX + Width, [&](int a, int b) {
      Color* out = Dest.mutableRow(dy);
      for (int dx = a; dx < b; ++dx) {
        const int i = dx - DestX;
        if (m[i] || in[i] == kNoPixel) continue;  // masked, or no source pixel to draw
        const Color s = in[i], d = out[dx];
        out[dx] = gfx::rgb(blend(gfx::red(s), gfx::red(d)), blend(gfx::green(s), gfx::green(d)),
                           blend(gfx::blue(s), gfx::blue(d)));
      }
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
