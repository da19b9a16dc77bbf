#include <gtest/gtest.h>

#include "gfx/blit.h"

namespace gfx {
namespace {

// A surface whose every pixel is distinct, so a misplaced read shows.
Surface numbered(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, static_cast<Color>(y * 1000 + x + 1));
  return s;
}

TEST(BitBlt, RasterOperations) {
  const Color S = 0x123456, D = 0x0F0FF0;
  struct Case {
    Rop rop;
    Color want;
  } cases[] = {
      {Rop::SrcCopy, S},
      {Rop::SrcAnd, S & D},
      {Rop::SrcPaint, S | D},
      {Rop::SrcInvert, S ^ D},
      {Rop::NotSrcCopy, ~S & 0xFFFFFF},
      {Rop::DstInvert, ~D & 0xFFFFFF},
      {Rop::Blackness, kBlack},
      {Rop::Whiteness, kWhite},
  };
  for (const auto& c : cases) {
    Surface src(3, 3, S), dst(5, 5, D);
    bitBlt(dst, 1, 1, 3, 3, src, 0, 0, c.rop);
    EXPECT_EQ(dst.pixel(2, 2), c.want) << static_cast<int>(c.rop);
    EXPECT_EQ(dst.pixel(0, 0), D);
    EXPECT_EQ(dst.pixel(4, 4), D);
  }
  Surface dst(2, 2, D);
  bitBlt(dst, 0, 0, 2, 2, nullptr, 0, 0, Rop::SrcPaint);  // a null source reads as black
  EXPECT_EQ(dst.pixel(1, 1), D);
  bitBlt(dst, 0, 0, 2, 2, nullptr, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(dst.pixel(1, 1), kBlack);
}

TEST(BitBlt, ClipsToDestinationClipAndSource) {
  Surface src = numbered(4, 4);
  Surface dst(8, 8, kWhite);
  dst.setClip(Region::fromRect({2, 2, 4, 8}));
  bitBlt(dst, 0, 0, 8, 8, src, 0, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool drawn = x >= 2 && x < 4 && y >= 2 && y < 4;  // clip and source both allow it
      EXPECT_EQ(dst.pixel(x, y), drawn ? src.pixel(x, y) : kWhite) << x << "," << y;
    }
  // Negative positions on both sides: only the overlap is copied.
  Surface d2(4, 4, kWhite);
  bitBlt(d2, -1, 1, 4, 4, src, -1, 0);
  EXPECT_EQ(d2.pixel(0, 1), src.pixel(0, 0));
  EXPECT_EQ(d2.pixel(2, 3), src.pixel(2, 2));
  EXPECT_EQ(d2.pixel(0, 0), kWhite);
  EXPECT_EQ(d2.pixel(3, 1), kWhite);  // its source column 3 + 1 lies outside
}

TEST(BitBlt, OverlappingSelfCopyReadsTheOldPixels) {
  struct Case {
    int dx, dy;
    Rop rop;
  } cases[] = {{1, 0, Rop::SrcCopy},   {-1, 0, Rop::SrcCopy},  {0, 1, Rop::SrcCopy},
               {0, -1, Rop::SrcCopy},  {2, 2, Rop::SrcCopy},   {-2, -1, Rop::SrcCopy},
               {1, 0, Rop::SrcInvert}, {-1, 1, Rop::SrcPaint}, {1, -1, Rop::NotSrcCopy}};
  for (const auto& c : cases) {
    Surface s = numbered(6, 5);
    const Surface before = s;
    Surface want = before;
    bitBlt(want, 1 + c.dx, 1 + c.dy, 4, 3, before, 1, 1, c.rop);
    bitBlt(s, 1 + c.dx, 1 + c.dy, 4, 3, s, 1, 1, c.rop);
    EXPECT_EQ(s.pixels(), want.pixels()) << c.dx << "," << c.dy;
  }
}

TEST(StretchSamples, StartEachCopyAtTheTopLeft) {
  EXPECT_EQ(stretchSamples(4, 2), (std::vector<int>{0, 0, 1, 1}));
  EXPECT_EQ(stretchSamples(2, 4), (std::vector<int>{0, 2}));
  EXPECT_EQ(stretchSamples(3, 3), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(stretchSamples(9, 3), (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(stretchSamples(5, 2), (std::vector<int>{0, 0, 0, 1, 1}));
  EXPECT_EQ(stretchSamples(5, 3), (std::vector<int>{0, 0, 1, 1, 2}));
  EXPECT_EQ(stretchSamples(3, 5), (std::vector<int>{0, 1, 3}));
  EXPECT_TRUE(stretchSamples(0, 5).empty());
  // Every length pair: monotone, in range, from the first to the last source pixel.
  for (int d = 1; d <= 70; ++d)
    for (int s = 1; s <= 70; ++s) {
      auto m = stretchSamples(d, s);
      ASSERT_EQ(m.size(), static_cast<size_t>(d));
      EXPECT_EQ(m.front(), 0);
      for (size_t i = 1; i < m.size(); ++i) {
        ASSERT_GE(m[i], m[i - 1]);
        ASSERT_LE(m[i] - m[i - 1], (s + d - 1) / d);
      }
      EXPECT_LT(m.back(), s);
      if (d >= s) EXPECT_EQ(m.back(), s - 1) << d << " " << s;
    }
  // 32 -> 200, the event window's magnification: 6 or 7 copies of each pixel.
  auto m = stretchSamples(200, 32);
  for (int k = 0; k < 32; ++k) {
    auto n = std::count(m.begin(), m.end(), k);
    EXPECT_TRUE(n == 6 || n == 7) << k;
  }
}

TEST(StretchBlt, EnlargesMirrorsAndClips) {
  Surface src = numbered(2, 2);
  Surface dst(4, 4, kWhite);
  stretchBlt(dst, 0, 0, 4, 4, src, 0, 0, 2, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.pixel(x, y), src.pixel(x / 2, y / 2));

  // A negative width anchored at x + w - 1 mirrors into the same pixels.
  Surface row = numbered(3, 1), flipped(3, 1, kWhite);
  stretchBlt(flipped, 2, 0, -3, 1, row, 0, 0, 3, 1);
  EXPECT_EQ(flipped.pixel(0, 0), row.pixel(2, 0));
  EXPECT_EQ(flipped.pixel(1, 0), row.pixel(1, 0));
  EXPECT_EQ(flipped.pixel(2, 0), row.pixel(0, 0));
  Surface both(3, 1, kWhite);  // both negative: no mirror
  stretchBlt(both, 2, 0, -3, 1, row, 2, 0, -3, 1);
  EXPECT_EQ(both.pixels(), row.pixels());

  Surface clipped(4, 4, kWhite);
  clipped.setClip(Region::fromRect({0, 0, 4, 1}));
  stretchBlt(clipped, 0, 0, 4, 4, src, 0, 0, 2, 2);
  EXPECT_EQ(clipped.pixel(3, 0), src.pixel(1, 0));
  EXPECT_EQ(clipped.pixel(0, 1), kWhite);

  // Source partly outside: those destination pixels stay.
  Surface part(4, 1, kWhite);
  stretchBlt(part, 0, 0, 4, 1, src, 1, 0, 2, 1);
  EXPECT_EQ(part.pixel(0, 0), src.pixel(1, 0));
  EXPECT_EQ(part.pixel(3, 0), kWhite);
}

TEST(BlitMasked, KeepsTheDestinationUnderSetBits) {
  Surface src = numbered(3, 3), dst(3, 3, kWhite);
  Mask m(3, 3);
  m.set(1, 1);
  m.set(2, 0);
  blitMasked(dst, 0, 0, src, 0, 0, m);
  EXPECT_EQ(dst.pixel(1, 1), kWhite);
  EXPECT_EQ(dst.pixel(2, 0), kWhite);
  EXPECT_EQ(dst.pixel(0, 0), src.pixel(0, 0));
  EXPECT_EQ(dst.pixel(2, 2), src.pixel(2, 2));
}

TEST(MaskTest, FromColorKeyIsClearOutsideTheSource) {
  Surface s(3, 2, kMagenta);
  s.setPixel(1, 0, kRed);
  Mask m = Mask::fromColorKey(s, {1, 0, 5, 2}, kMagenta);
  ASSERT_EQ(m.width(), 4);
  EXPECT_FALSE(m.test(0, 0));  // the red pixel
  EXPECT_TRUE(m.test(1, 0));
  EXPECT_TRUE(m.test(1, 1));
  EXPECT_FALSE(m.test(2, 0));  // outside the source
  EXPECT_EQ(m.count(), 3);
  m.invert();
  EXPECT_EQ(m.count(), 5);
}

TEST(SurfaceTest, PixelsHonourSurfaceAndClip) {
  Surface s(4, 3, kRed);
  EXPECT_EQ(s.pixel(-1, 0), kInvalidColor);
  EXPECT_EQ(s.pixel(4, 0), kInvalidColor);
  s.setClip(Region::fromRect({0, 0, 2, 3}));
  s.setPixel(3, 1, kWhite);
  s.setPixel(1, 1, 0xFF123456);  // the high byte is not a colour
  EXPECT_EQ(s.pixel(3, 1), kRed);
  EXPECT_EQ(s.pixel(1, 1), 0x123456u);
  s.offsetClip(2, 0);
  s.fill(kBlack);
  EXPECT_EQ(s.pixel(0, 0), kRed);
  EXPECT_EQ(s.pixel(3, 2), kBlack);
  uint64_t g = s.generation();
  s.resize(5, 3, kWhite);
  EXPECT_GT(s.generation(), g);
  EXPECT_EQ(s.pixel(3, 2), kBlack);
  EXPECT_EQ(s.pixel(4, 2), kWhite);
}

TEST(ColorTest, SystemColoursTranslate) {
  EXPECT_EQ(translateColor(0x8000000Fu), rgb(192, 192, 192));
  EXPECT_EQ(translateColor(0x80000005u), kWhite);
  EXPECT_EQ(translateColor(kMagenta), kMagenta);
  EXPECT_EQ(translateColor(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace gfx
