#include "gfx/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string_view>

#include "gfx/blit.h"
#include "gfx/text.h"

namespace {

using gfx::Rect;
using gfx::Surface;

// The smallest rectangle holding every pixel that differs from `bg`.
Rect ink(const Surface& s, gfx::Color bg) {
  Rect r{s.width(), s.height(), -1, -1};
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) != bg) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

TEST(Font, DesignFacesMapToDebianFaces) {
  struct Case {
    const char* face;
    const char* family;
  } cases[] = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS UI Gothic", "IPAPGothic"},  {"ＭＳ ゴシック", "IPAGothic"},
      {"ＭＳ 明朝", "IPAMincho"},        {"HG創英角ｺﾞｼｯｸUB", "M PLUS 1"},
  };
  for (const auto& c : cases) {
    auto f = gfx::Font::open({c.face, 20});
    EXPECT_EQ(f->family(), c.family) << c.face;
    EXPECT_TRUE(f->hasGlyph(U'あ')) << c.face;
  }
  // An unknown name still gives a face that writes Japanese.
  auto other = gfx::Font::open({"No Such Face", 20});
  EXPECT_TRUE(other->hasGlyph(U'漢'));
  EXPECT_GT(other->advance(U'漢'), 0);
}

TEST(Font, SizesAndExtents) {
  EXPECT_EQ(gfx::emFromPoints(20), 27);  // size 15 of the renderer: 20 points
  EXPECT_EQ(gfx::emFromPoints(12), 16);
  EXPECT_EQ(gfx::emFromPoints(9), 12);

  auto fixed = gfx::Font::open({"ＭＳ ゴシック", 27});
  // The fixed gothic: full-width characters are one em, half-width ones half of it.
  EXPECT_EQ(fixed->advance(U'あ'), 27);
  EXPECT_EQ(fixed->advance(U'ﾀ'), fixed->advance(U'A'));
  EXPECT_NEAR(fixed->advance(U'A') * 2, 27, 1);
  auto prop = gfx::Font::open({"ＭＳ Ｐゴシック", 27});
  EXPECT_LT(prop->advance(U'i'), prop->advance(U'W'));
  EXPECT_GE(prop->height(), 27);

  gfx::Size e = prop->extent("勇者のターン:ﾀｰﾝ①");
  int sum = 0;
  for (char32_t c : std::u32string(U"勇者のターン:ﾀｰﾝ①")) sum += prop->advance(c);
  EXPECT_EQ(e, (gfx::Size{sum, prop->height()}));
  EXPECT_EQ(prop->extent(""), (gfx::Size{0, prop->height()}));
  // Bold widens.
  auto bold = gfx::Font::open({"ＭＳ Ｐゴシック", 27, true});
  EXPECT_GT(bold->extent("ABC").cx, prop->extent("ABC").cx);
}

// The most common width of the filled runs across the rows of some glyphs: their stem width.
int stemWidth(const gfx::Font& f, std::u32string_view text) {
  std::map<int, int> runs;
  for (char32_t c : text) {
    const gfx::Region& r = f.glyphFill(c);
    Rect b = r.bounds();
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left, run = 0; x <= b.right; ++x) {
        if (x < b.right && r.contains(x, y)) {
          ++run;
        } else if (run > 0) {
          ++runs[run];
          run = 0;
        }
      }
  }
  return std::max_element(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// Two-level gothic from 20 pixels up is a pixel heavier across than the face hints to, as the
// design's text was (stems, not bars); small text keeps its one-pixel strokes, and the weight
// moves no glyph: the advances stay the face's own.
TEST(Font, TwoLevelGothicIsHeavierFromTwentyPixelsUp) {
  struct Case {
    int em, stem;
  } cases[] = {{12, 1}, {16, 1}, {21, 2}, {24, 3}, {27, 3}};
  for (const char* face : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック"})
    for (const Case& c : cases) {
      auto two = gfx::Font::open({face, c.em});
      EXPECT_EQ(stemWidth(*two, U"中川"), c.stem) << face << " at " << c.em;
      auto smooth = gfx::Font::open({face, c.em, false, true});
      for (char32_t ch : std::u32string_view(U"グリーンイエロー選択中のマップ 0123456789"))
        EXPECT_EQ(two->advance(ch), smooth->advance(ch)) << face << " at " << c.em;
      // The bars stay as thin as the face draws them: the top bar of 工, left of its stem, is one
      // or two rows.
      const gfx::Region& bar = two->glyphFill(U'工');
      Rect b = bar.bounds();
      int rows = 0;
      while (rows < b.height() && bar.contains(b.left + b.width() / 4, b.top + rows)) ++rows;
      EXPECT_LE(rows, 2) << face << " at " << c.em;
    }
}

// What drawText puts down is exactly the fill of the path of the same layout, however often the
// cached glyphs are drawn.
TEST(Text, DrawingMatchesTheTextPathAndRepeats) {
  auto font = gfx::Font::open({"MS UI Gothic", 27});
  Rect box{3, 2, 300, 40};
  unsigned flags = gfx::kDtCenter | gfx::kDtVCenter | gfx::kDtSingleLine;
  Surface a(320, 48, gfx::kBlack);
  a.font = font;
  a.textColor = gfx::kWhite;
  gfx::drawText(a, "勇者のターン！", box, flags);
  Surface b(320, 48, gfx::kBlack);
  gfx::fillRegion(b, gfx::textPath(*font, "勇者のターン！", box, flags).fill(), gfx::kWhite);
  EXPECT_EQ(a.pixels(), b.pixels());
  Surface c(320, 48, gfx::kBlack);
  c.font = font;
  c.textColor = gfx::kWhite;
  gfx::drawText(c, "勇者のターン！", box, flags);
  EXPECT_EQ(a.pixels(), c.pixels());
  EXPECT_FALSE(ink(a, gfx::kBlack).empty());
}

TEST(Text, AlignmentMovesTheInkByTheLayoutRules) {
  auto font = gfx::Font::open({"ＭＳ ゴシック", 16});
  const char* text = "あいう";
  int tw = font->extent(text).cx, lh = font->height();
  Rect box{10, 5, 210, 65};
  auto draw = [&](unsigned flags) {
    Surface s(240, 80, gfx::kBlack);
    s.font = font;
    s.textColor = gfx::kWhite;
    gfx::drawText(s, text, box, flags);
    return ink(s, gfx::kBlack);
  };
  Rect left = draw(gfx::kDtSingleLine);
  struct Case {
    unsigned flags;
    int dx, dy;
  } cases[] = {
      {gfx::kDtCenter | gfx::kDtSingleLine, (box.width() - tw) / 2, 0},
      {gfx::kDtRight | gfx::kDtSingleLine, box.width() - tw, 0},
      {gfx::kDtVCenter | gfx::kDtSingleLine, 0, (box.height() - lh) / 2},
      {gfx::kDtBottom | gfx::kDtSingleLine, 0, box.height() - lh},
      {gfx::kDtCenter | gfx::kDtVCenter | gfx::kDtSingleLine, (box.width() - tw) / 2, (box.height() - lh) / 2},
      {gfx::kDtVCenter, 0, 0},  // vertical centring needs a single line, as on the platform
  };
  for (const auto& c : cases) EXPECT_EQ(draw(c.flags), left.offset(c.dx, c.dy)) << c.flags;
}

TEST(Text, LinesWrapAndMeasure) {
  auto font = gfx::Font::open({"ＭＳ ゴシック", 16});
  int lh = font->height(), em = 16;
  Surface s(200, 200);
  s.font = font;
  struct Case {
    const char* text;
    unsigned flags;
    int width;  // box width
    int lines, widest;
  } cases[] = {
      {"あいう\nかき", 0, 100, 2, 3 * em},
      {"あいう\r\nかき", 0, 100, 2, 3 * em},
      {"あいう\nかき", gfx::kDtSingleLine, 100, 1, 5 * em},  // the newline takes no room
      {"あいうえおかきくけこ", gfx::kDtWordBreak, 4 * em, 3, 4 * em},
      {"ab cd ef", gfx::kDtWordBreak, font->extent("ab cd").cx, 2, font->extent("ab cd").cx},
  };
  for (const auto& c : cases) {
    Rect box{0, 0, c.width, 0};
    int h = gfx::drawText(s, c.text, box, c.flags | gfx::kDtCalcRect);
    EXPECT_EQ(h, c.lines * lh) << c.text;
    EXPECT_EQ(box.bottom, c.lines * lh) << c.text;
    EXPECT_EQ(box.right, c.widest) << c.text;
  }
}

TEST(Text, ClipsToTheBoxAndPaintsAnOpaqueCell) {
  auto font = gfx::Font::open({"ＭＳ ゴシック", 27});
  Surface s(100, 40, gfx::kBlack);
  s.font = font;
  s.textColor = gfx::kWhite;
  Rect box{0, 0, 20, 40};
  gfx::drawText(s, "あいう", box, gfx::kDtSingleLine);
  EXPECT_LE(ink(s, gfx::kBlack).right, 20);
  gfx::drawText(s, "あいう", box, gfx::kDtSingleLine | gfx::kDtNoClip);
  EXPECT_GT(ink(s, gfx::kBlack).right, 40);

  Surface o(100, 40, gfx::kBlack);
  o.font = font;
  o.textColor = gfx::kWhite;
  o.backColor = gfx::rgb(0, 0, 200);
  o.transparentText = false;
  gfx::textOut(o, 5, 2, "A");
  EXPECT_EQ(o.pixel(5, 2), gfx::rgb(0, 0, 200));
  EXPECT_EQ(o.pixel(5 + font->advance(U'A') - 1, 2 + font->height() - 1), gfx::rgb(0, 0, 200));
  EXPECT_EQ(o.pixel(5 + font->advance(U'A'), 2), gfx::kBlack);
}

TEST(Path, FillAndStrokeOfASquare) {
  gfx::Path p;
  using K = gfx::Path::Kind;
  p.addContour(
      {{10 * 64, 10 * 64, K::On}, {20 * 64, 10 * 64, K::On}, {20 * 64, 20 * 64, K::On}, {10 * 64, 20 * 64, K::On}});
  gfx::Region f = p.fill();
  EXPECT_EQ(f.bounds(), (Rect{10, 10, 20, 20}));
  EXPECT_EQ(f.spans(15).size(), 1u);

  gfx::Region st = p.stroke(2);  // one pixel each side of the edge
  EXPECT_EQ(st.bounds(), (Rect{9, 9, 21, 21}));
  ASSERT_EQ(st.spans(15).size(), 2u);
  EXPECT_EQ(st.spans(15)[0].left, 9);
  EXPECT_EQ(st.spans(15)[0].right, 11);
  EXPECT_EQ(st.spans(15)[1].left, 19);
  EXPECT_EQ(st.spans(15)[1].right, 21);
  EXPECT_FALSE(st.contains(15, 15));

  p.offset(5, -3);
  EXPECT_EQ(p.fill().bounds(), (Rect{15, 7, 25, 17}));
  EXPECT_TRUE(gfx::Path().fill().empty());
  EXPECT_TRUE(gfx::Path().stroke(3).empty());
}

TEST(Path, GlyphStrokeSurroundsItsFill) {
  auto font = gfx::Font::open({"MS UI Gothic", 27});
  const gfx::Region& fill = font->glyphFill(U'国');
  gfx::Region stroke = font->glyphStroke(U'国', 3);
  gfx::Region outside = stroke;
  outside.combine(fill, gfx::Region::Op::Diff);
  EXPECT_FALSE(outside.empty());
  Rect fb = fill.bounds(), sb = stroke.bounds();
  EXPECT_LT(sb.left, fb.left);
  EXPECT_GT(sb.right, fb.right);
  EXPECT_LT(sb.top, fb.top);
}

}  // namespace
