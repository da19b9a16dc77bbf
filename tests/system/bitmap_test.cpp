#include "system/bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/blit.h"

using gfx::Color;
using gfx::rgb;
using gfx::Surface;

namespace {

constexpr Color M = gfx::kMagenta, R = gfx::kRed, W = gfx::kWhite, K = gfx::kBlack;
const Color G = rgb(0, 160, 0), B = rgb(0, 0, 200);

Surface rows(const std::vector<std::vector<Color>>& px) {
  Surface s(static_cast<int>(px[0].size()), static_cast<int>(px.size()));
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.setPixel(x, y, px[static_cast<size_t>(y)][static_cast<size_t>(x)]);
  return s;
}

std::vector<std::vector<Color>> pixels(const Surface& s) {
  std::vector<std::vector<Color>> out(static_cast<size_t>(s.height()));
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) out[static_cast<size_t>(y)].push_back(s.pixel(x, y));
  return out;
}

// A sprite sheet keyed by its magenta top-left pixel: two 2 x 2 cells.
Surface sheet() {
  return rows({
      {M, R, M, B},
      {R, M, B, M},
  });
}

TEST(TransBlt, KeyMinusOneTakesTheSheetsTopLeftAndHandsItBack) {
  Surface dest(3, 2, W);
  const Surface back(3, 2, G);
  int32_t key = -1;
  TransBlt(dest, back, sheet(), 2, 0, 4, 2, 1, 0, key);
  EXPECT_EQ(static_cast<Color>(key), M);
  // Transparent pixels come from Back, not from what Dest held.
  EXPECT_EQ(pixels(dest), (std::vector<std::vector<Color>>{{W, G, B}, {W, B, G}}));
}

TEST(TransBlt, InvertDrawsOnlyTheKeyColour) {
  Surface dest(2, 2, W);
  const Surface back(2, 2, G);
  TransBlt(dest, back, sheet(), 0, 0, 2, 2, 0, 0, static_cast<int32_t>(M), -1, -1, true);
  EXPECT_EQ(pixels(dest), (std::vector<std::vector<Color>>{{M, G}, {G, M}}));
}

TEST(TransBlt, StretchesAndTakesBackAtTheSamePlace) {
  // A 32 x 32 cell, magenta with one red column at x 10, stretched to 200 x 200 on a board.
  Surface cell(32, 32, M);
  gfx::fillRect(cell, {10, 0, 11, 32}, R);
  Surface board(300, 250);
  for (int y = 0; y < board.height(); ++y)
    for (int x = 0; x < board.width(); ++x) board.setPixel(x, y, static_cast<Color>(x + 1000 * y));
  Surface dest = board;
  TransBlt(dest, dest, cell, 0, 0, 32, 32, 50, 20, static_cast<int32_t>(M), 200, 200);
  for (int y = 0; y < 250; y += 7)
    for (int x = 0; x < 300; ++x) {
      bool red = x >= 50 && x < 250 && y >= 20 && y < 220 && (x - 50) * 32 / 200 == 10;
      ASSERT_EQ(dest.pixel(x, y), red ? R : board.pixel(x, y)) << x << "," << y;
    }
  EXPECT_EQ(dest.pixel(50 + 63, 20), R);  // source column 10 starts at 10 * 200 / 32 = 62.5
  EXPECT_EQ(dest.pixel(50 + 62, 20), board.pixel(50 + 62, 20));
}

TEST(TransBlt, ClipsAndReadsNothingOutsideItsSurfaces) {
  // Dest clip and edges: only the allowed pixels change.
  Surface dest(3, 3, W);
  dest.setClip(gfx::Region::fromRect({0, 0, 3, 1}));
  TransBlt(dest, Surface(3, 3, G), Surface(3, 3, R), 0, 0, 3, 3, -1, 0, static_cast<int32_t>(M));
  EXPECT_EQ(pixels(dest), (std::vector<std::vector<Color>>{{R, R, W}, {W, W, W}, {W, W, W}}));
  // A source rectangle past the sheet draws opaque black there, even with a black key;
  // Invert shows Back there instead. Back smaller than the area shows black.
  const Surface src = rows({{K, R}});
  Surface d1(3, 1, W), d2(3, 1, W);
  TransBlt(d1, Surface(3, 1, G), src, 0, 0, 3, 1, 0, 0, static_cast<int32_t>(K));
  EXPECT_EQ(pixels(d1), (std::vector<std::vector<Color>>{{G, R, K}}));
  TransBlt(d2, Surface(2, 1, G), src, 0, 0, 3, 1, 0, 0, static_cast<int32_t>(K), -1, -1, true);
  EXPECT_EQ(pixels(d2), (std::vector<std::vector<Color>>{{K, G, K}}));
}

TEST(TransBlt, OntoItsOwnSheetReadsTheSpriteFirst) {
  Surface s = rows({{R, B, G, M}});
  Surface want = s;
  const Surface before = s;
  TransBlt(want, before, before, 0, 0, 3, 1, 1, 0, static_cast<int32_t>(M));
  TransBlt(s, s, s, 0, 0, 3, 1, 1, 0, static_cast<int32_t>(M));
  EXPECT_EQ(pixels(s), pixels(want));
  EXPECT_EQ(pixels(s), (std::vector<std::vector<Color>>{{R, R, B, G}}));
}

TEST(AlphaKeyBlt, BlendTruncatesTowardZero) {
  struct Case {
    int alpha;
    Color src, dst, want;
  } cases[] = {
      {255, W, K, W},
      {128, W, K, rgb(129, 129, 129)},  // 255 + 127 * (0 - 255) / 256
      {128, K, W, rgb(126, 126, 126)},
      {0, W, K, rgb(1, 1, 1)},
      {-40, W, K, rgb(1, 1, 1)},
      {300, rgb(10, 20, 30), W, rgb(10, 20, 30)},
      {200, rgb(200, 100, 0), rgb(0, 100, 200), rgb(158, 100, 42)},  // -42.97 -> -42, 42.97 -> 42
  };
  for (const auto& c : cases) {
    Surface dest(1, 1, c.dst);
    AlphaKeyBlt(dest, 0, 0, 1, 1, Surface(1, 1, c.src), 0, 0, c.alpha, static_cast<int32_t>(M), true);
    EXPECT_EQ(dest.pixel(0, 0), c.want) << c.alpha;
  }
}

TEST(AlphaKeyBlt, Alpha255EqualsTheKeyedBlit) {
  const Surface src = sheet();
  Surface viaAlpha(5, 3, G), viaTrans(5, 3, G);
  AlphaKeyBlt(viaAlpha, 1, 1, 4, 2, src, 0, 0, 255, static_cast<int32_t>(M), true);
  TransBlt(viaTrans, viaTrans, src, 0, 0, 4, 2, 1, 1, static_cast<int32_t>(M));
  EXPECT_EQ(pixels(viaAlpha), pixels(viaTrans));
}

TEST(AlphaKeyBlt, PlainKeyTranslatesSystemColours) {
  const Color face = rgb(192, 192, 192);
  Surface dest(2, 1, G);
  AlphaKeyBlt(dest, 0, 0, 2, 1, rows({{face, R}}), 0, 0, 255, static_cast<int32_t>(0x8000000F), true);
  EXPECT_EQ(pixels(dest), (std::vector<std::vector<Color>>{{G, R}}));
}

// A ring: magenta outside, a red ring, a magenta centre, on a 5 x 5 cell placed at (1, 1).
Surface ring() {
  return rows({
      {W, W, W, W, W, W},
      {W, M, M, M, M, M},
      {W, M, R, R, R, M},
      {W, M, R, M, R, M},
      {W, M, R, R, R, M},
      {W, M, M, M, M, M},
  });
}

TEST(FloodMaskFromCorners, KeepsTheRingsCentre) {
  gfx::Mask mask;
  EXPECT_EQ(static_cast<Color>(FloodMaskFromCorners(mask, ring(), 1, 1, 5, 5)), M);
  ASSERT_EQ(mask.width(), 5);
  ASSERT_EQ(mask.height(), 5);
  EXPECT_EQ(mask.count(), 16);  // the outer band only
  EXPECT_TRUE(mask.test(0, 0));
  EXPECT_FALSE(mask.test(1, 1));
  EXPECT_FALSE(mask.test(2, 2));  // the centre stays opaque
  // A key pixel touching the border only diagonally is a hole too.
  Surface diag = rows({
      {M, R, R},
      {R, M, R},
      {R, R, R},
  });
  EXPECT_EQ(FloodMaskFromCorners(mask, diag, 0, 0, 3, 3), static_cast<int32_t>(M));
  EXPECT_EQ(mask.count(), 1);
  EXPECT_FALSE(mask.test(1, 1));
}

TEST(AlphaKeyBlt, FloodMaskBlendsTheCentreAndReturnsTheKey) {
  Surface dest(5, 5, K);
  int32_t key = 0;
  AlphaKeyBlt(dest, 0, 0, 5, 5, ring(), 1, 1, 128, key, false);
  EXPECT_EQ(static_cast<Color>(key), M);
  EXPECT_EQ(dest.pixel(0, 0), K);                 // outer key: the destination stays
  EXPECT_EQ(dest.pixel(1, 1), rgb(129, 0, 0));    // ring, blended
  EXPECT_EQ(dest.pixel(2, 2), rgb(129, 0, 129));  // centre, blended although key-coloured
}

TEST(DibStripBlt, TenStepsMakeTwelveFramesEndingBlack) {
  const Color c = rgb(30, 200, 128);
  Surface pic(3, 2, c);
  pic.setPixel(0, 0, rgb(25, 26, 255));
  DibStripBlt(pic, 3, 2, 10);
  ASSERT_EQ(pic.width(), 36);
  ASSERT_EQ(pic.height(), 2);
  struct Frame {
    int index;
    Color at11;  // pixel (1, 1) of the frame
  } frames[] = {
      {0, c},                  // the original
      {1, rgb(51, 204, 153)},  // reduced to the cube: 30 -> 51, 200 -> 204, 128 -> 153
      {6, rgb(26, 102, 76)},   // k = 5: 25.5 -> 26, 102, 76.5 -> 76 (halves to even)
      {10, rgb(5, 20, 15)},    // k = 1
      {11, K},
  };
  for (const auto& f : frames) EXPECT_EQ(pic.pixel(3 * f.index + 1, 1), f.at11) << f.index;
  EXPECT_EQ(pic.pixel(3, 0), rgb(0, 51, 255));  // 25 and 26 fall either side of the midpoint
  for (int y = 0; y < 2; ++y)
    for (int x = 33; x < 36; ++x) EXPECT_EQ(pic.pixel(x, y), K);
}

TEST(DibStripBlt, NoStepsLeavesThePicture) {
  Surface pic(3, 2, R);
  for (int steps : {0, -3}) {
    DibStripBlt(pic, 3, 2, steps);
    EXPECT_EQ(pic.width(), 3);
    EXPECT_EQ(pic.pixel(2, 1), R);
  }
}

}  // namespace
