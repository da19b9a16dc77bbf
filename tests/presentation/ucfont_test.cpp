#include "presentation/controls/UCFont.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"

namespace {

using gfx::Surface;

constexpr gfx::Color kBg = gfx::rgb(0, 64, 0);

Surface render(std::string_view markup, UCFont& f, int X = 2, int Y = 2) {
  Surface s(420, 48, kBg);
  f.FontWrite(s, markup, X, Y);
  return s;
}

Surface render(std::string_view markup) {
  UCFont f;
  f.SetFontSize(15);
  f.SetDefaultColor(static_cast<int32_t>(gfx::rgb(225, 0, 0)), static_cast<int32_t>(gfx::rgb(0, 0, 225)), 2);
  return render(markup, f);
}

TEST(UCFont, TagGrammarDrawsLikeItsEquivalent) {
  struct Case {
    const char* markup;
    const char* same;
  } cases[] = {
      {"{1&FFFE}AB", "{1&FFF}AB"},        // only three colour digits count
      {"{1&F}AB", "{1&F00}AB"},           // missing digits are 0
      {"{1&FGF}AB", "{1&F0F}AB"},         // non-hex digits are 0
      {"{3&0F0}AB", "{1&0F0}{2&0F0}AB"},  // 3& sets both colours
      {"{0&2}AB", "{1&F00}{2&00F}AB"},    // palette entry 2
      {"{1&F00}{0&}AB", "AB"},            // back to entry 0
      {"{0&G}AB", "AB"},                  // non-hex entry: 0
      {"{x&1}AB", "AB"},                  // lowercase code
      {"{Z&F00}AB", "AB"},                // unknown code
      {"{1F00}AB", "AB"},                 // no "&" in second place
      {"{}AB", "AB"},                     // empty braces
      {"A{{1&F00}B", "A{1&F00}B"},        // a second "{" inside a tag is dropped
      {"AB{1&F00", "AB"},                 // an unclosed tag swallows the rest
      {"AB{K&1", "AB"},                   // ... and is never interpreted
      {"{あ&1}AB", "AB"},                 // a tag is never drawn, whatever it holds
      {"{K&12}AB", "{K&1}AB"},            // one digit only
      {"{N&xyz}AB", "{N&}AB"},            // N& ignores its argument
  };
  for (const auto& c : cases) EXPECT_EQ(render(c.markup).pixels(), render(c.same).pixels()) << c.markup;
  // A lone closing brace is an ordinary glyph.
  EXPECT_NE(render("A}B").pixels(), render("AB").pixels());
}

TEST(UCFont, EffectTagsPersistAndColourTagsDoNot) {
  struct Case {
    const char* markup;
    int shadow, stroke, solid;
    bool simple;
  } cases[] = {
      {"{K&1}", 1, 0, 0, false},    {"{K&}", 0, 0, 0, false},      {"{K&f}", 15, 0, 0, false},
      {"{F&2}", 0, 2, 0, false},    {"{S&3}", 0, 0, 3, false},     {"{N&}", 0, 0, 0, true},
      {"{K&2}{N&}", 0, 0, 0, true}, {"{N&}{K&1}", 1, 0, 0, false}, {"{k&1}{s&1}", 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    UCFont f;
    render(std::string("AB") + c.markup, f);
    EXPECT_EQ(f.shadow(), c.shadow) << c.markup;
    EXPECT_EQ(f.stroke(), c.stroke) << c.markup;
    EXPECT_EQ(f.solid(), c.solid) << c.markup;
    EXPECT_EQ(f.simple(), c.simple) << c.markup;
  }
  // A shadow tag at the end of a line changes that line in nothing, but the next call has it.
  UCFont f;
  f.SetFontSize(15);
  Surface first = render("AB{K&1}", f);
  UCFont plain;
  plain.SetFontSize(15);
  EXPECT_EQ(first.pixels(), render("AB", plain).pixels());
  UCFont shadowed;
  shadowed.SetFontSize(15);
  shadowed.SetFontShadow(1);
  EXPECT_EQ(render("AB", f).pixels(), render("AB", shadowed).pixels());
  // Colour tags last one call.
  UCFont g;
  g.SetFontSize(15);
  render("{1&F00}AB", g);
  UCFont fresh;
  fresh.SetFontSize(15);
  EXPECT_EQ(render("AB", g).pixels(), render("AB", fresh).pixels());
}

// A full block glyph gives solid ink whose pixels the gradient rule predicts.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Ink inkOf(const Surface& s, gfx::Color bg) {
  Ink r;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) != bg) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x);
        r.bottom = std::max(r.bottom, y);
      }
  return r;
}

TEST(UCFont, GradientShadowEmbossAndOutline) {
  UCFont f;
  f.SetFontSize(15);
  Surface s = render("{1&F00}{2&FF0}■", f, 10, 5);
  Ink ink = inkOf(s, kBg);
  ASSERT_GT(ink.bottom - ink.top, 10);
  int h = f.font()->height();
  for (int y = ink.top; y <= ink.bottom; ++y) {
    gfx::Color p = s.pixel((ink.left + ink.right) / 2, y);
    EXPECT_EQ(gfx::red(p), 225);
    EXPECT_EQ(gfx::blue(p), 0);
    // Vertical gradient over the glyph cell: row t of h gets 225 * t / h of green.
    int t = y - 5;
    EXPECT_NEAR(gfx::green(p), 225 * t / h, 1) << y;
  }

  UCFont sh;
  sh.SetFontSize(15);
  sh.SetFontShadow(2);
  Surface ss = render("{3&FFF}■", sh, 10, 5);
  Ink si = inkOf(ss, kBg);
  EXPECT_EQ(si.right, ink.right + 2);
  EXPECT_EQ(si.bottom, ink.bottom + 2);
  EXPECT_EQ(ss.pixel(ink.right + 2, ink.bottom + 2), gfx::kBlack);
  EXPECT_EQ(ss.pixel(ink.right, ink.bottom), gfx::rgb(225, 225, 225));
  EXPECT_EQ(sh.GetLastX(), 10 + sh.font()->advance(U'■'));  // the shadow does not widen the advance

  UCFont em;
  em.SetFontSize(15);
  em.SetFontSolid(5);  // one pixel whatever the value
  Surface es = render("{3&FFF}■", em, 10, 5);
  EXPECT_EQ(es.pixel(ink.right + 1, ink.bottom + 1), gfx::kBlack);
  EXPECT_EQ(es.pixel(ink.left - 1, ink.top - 1), gfx::kWhite);
  EXPECT_EQ(es.pixel(ink.right + 2, ink.bottom + 2), kBg);

  UCFont ol;
  ol.SetFontSize(15);
  ol.SetFontStroke(3);
  Surface os = render("{3&FFF}■", ol, 10, 5);
  EXPECT_EQ(os.pixel(ink.left - 1, (ink.top + ink.bottom) / 2), gfx::kBlack);  // the pen starts black
  // After a flat glyph the outline takes that glyph's colour 1.
  Surface os2(420, 48, kBg);
  ol.SetFontSimple(true);
  ol.FontWrite(os2, "{1&00F}■", 10, 5);
  ol.SetFontStroke(3);
  ol.FontWrite(os2, "{3&FFF}■", 200, 5);
  EXPECT_EQ(os2.pixel(200 + ink.left - 10 - 1, (ink.top + ink.bottom) / 2), gfx::rgb(0, 0, 225));
}

TEST(UCFont, AbsurdEffectValuesStayBounded) {
  UCFont f;
  f.SetFontShadow(1 << 30);
  f.SetFontStroke(1 << 30);
  Surface s = render("{3&FFF}■", f, 10, 5);
  EXPECT_EQ(s.pixel(10 + f.font()->advance(U'■') / 2, 5 + f.font()->ascent() - 8), gfx::rgb(225, 225, 225));
  EXPECT_EQ(f.GetLastX(), 10 + f.font()->advance(U'■'));
}

TEST(UCFont, SimpleModeIsFlatAndSpacesAdvance) {
  UCFont f;
  f.SetFontSize(15);
  Surface s = render("{N&}{1&F00}{2&00F}■", f, 10, 5);
  Ink ink = inkOf(s, kBg);
  for (int y = ink.top; y <= ink.bottom; ++y) EXPECT_EQ(s.pixel((ink.left + ink.right) / 2, y), gfx::rgb(225, 0, 0));

  for (bool simple : {false, true}) {
    UCFont g;
    g.SetFontSize(15);
    g.SetFontSimple(simple);
    Surface sp = render("　 ", g, 10, 5);
    EXPECT_EQ(inkOf(sp, kBg).right, -1) << simple;  // blanks leave no ink
    EXPECT_EQ(g.GetLastX(), 10 + g.font()->advance(U'　') + g.font()->advance(U' ')) << simple;
  }
}

TEST(UCFont, LastXAndAlignment) {
  UCFont f;
  f.SetFontSize(15);
  const gfx::Font& font = *f.font();
  Surface s(420, 60, kBg);
  f.FontWrite(s, "A{K&1}B", 7, 0);
  EXPECT_EQ(f.GetLastX(), 7 + font.advance(U'A') + font.advance(U'B'));
  int before = f.GetLastX();
  f.FontWrite(s, "", 100, 0);
  f.FontWrite(s, "{1&F00}{0&}", 100, 0);
  EXPECT_EQ(f.GetLastX(), before);  // no glyph drawn: unchanged

  int tw = f.GetTextWidth("{1&F00}勇者{0&}だ");
  EXPECT_EQ(tw, font.extent("勇者だ").cx);
  struct Case {
    int X, W;
    const char* flags;
    int start;
  } cases[] = {
      {0, 200, "C", 100 - tw / 2},
      {0, 200, "R", 200 - tw},
      {0, 200, "CR", (100 - tw / 2) + 200 - tw},
      {20, 200, "C", 20 + 90 - tw / 2},  // C centres in X..W as the formula has it
      {0, 0, "CR", 0},                   // no box, no alignment
      {5, 200, "c", 5},                  // flags are case-sensitive
  };
  for (const auto& c : cases) {
    f.FontWrite(s, "{1&F00}勇者{0&}だ", c.X, 0, c.W, 0, c.flags);
    EXPECT_EQ(f.GetLastX(), c.start + tw) << c.flags << " " << c.X;
  }

  // Vertical: the ink moves down by H / 2 - TH / 2.
  UCFont v;
  v.SetFontSize(15);
  int th = v.GetTextHeight("■");
  Surface top(60, 120, kBg), mid(60, 120, kBg), low(60, 120, kBg);
  v.FontWrite(top, "■", 0, 0);
  v.FontWrite(mid, "■", 0, 0, 0, 100, "V");
  v.FontWrite(low, "■", 0, 0, 0, 100, "MD");
  EXPECT_EQ(inkOf(mid, kBg).top, inkOf(top, kBg).top + 50 - th / 2);
  EXPECT_EQ(inkOf(low, kBg).top, inkOf(top, kBg).top + 50 - th / 2 + 100 - th);
}

TEST(UCFont, TextNatural) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"{1&F00}{2&FF0}勇者{0&}の番{0&}:", "勇者の番:"},
      {"あ}い", "あい"},  // a lone "}" goes too
      {"A}B", "B"},       // ... with the letters before it: they fit the pattern
      {"{{K&1}x", "x"},
      {"{あ&1}x", "{あx"},  // a tag of other characters keeps what the pattern cannot take
      {"a{b", "a{b"},
      {"{1&F0", "{1&F0"},
      {"{k&1}{S&1}{n&}X", "X"},  // any case
      {"{1&F.0_<>}Y", "Y"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UCFont::GetTextNatural(c.in), c.out) << c.in;
  // Very long input stays safe: a long run of letters closed by a brace, and many tags.
  std::string longRun = "漢" + std::string(200000, 'a') + "}字";
  std::string r = UCFont::GetTextNatural(longRun);
  EXPECT_EQ(r.substr(0, 3), "漢");
  EXPECT_EQ(r.substr(r.size() - 3), "字");
  EXPECT_LT(r.size(), longRun.size());
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "{K&1}字";
  EXPECT_EQ(UCFont::GetTextNatural(many).size(), 20000u * 3);
}

TEST(UCFont, ColourHelpersAndPalette) {
  struct Case {
    const char* digits;
    gfx::Color color;
  } cases[] = {
      {"F", gfx::rgb(225, 0, 0)},
      {"FFF", gfx::rgb(225, 225, 225)},
      {"FFFE", gfx::rgb(225, 225, 225)},
      {"G12", gfx::rgb(0, 15, 30)},
      {"", 0},
      {"a0b", gfx::rgb(150, 0, 165)},
      {"あF", gfx::rgb(0, 225, 0)},
  };
  for (const auto& c : cases) EXPECT_EQ(static_cast<gfx::Color>(UCFont::GetColorFFF(c.digits)), c.color) << c.digits;
  EXPECT_EQ(static_cast<gfx::Color>(UCFont::GetColorPlus(static_cast<int32_t>(gfx::rgb(0, 128, 255)))),
            gfx::rgb(1, 127, 254));

  UCFont f;
  f.SetFontSize(15);
  EXPECT_EQ(f.pixelSize(), 27);
  EXPECT_EQ(f.font()->em(), 27);  // 20 points at 96 dpi
  f.SetFontSize(20);
  EXPECT_EQ(f.font()->em(), gfx::emFromPoints(24));

  EXPECT_TRUE(f.SetDefaultColor(static_cast<int32_t>(gfx::rgb(225, 225, 0)), 0, 20));  // taken as 15
  Surface a(200, 48, kBg), b(200, 48, kBg);
  f.FontWrite(a, "{0&F}■", 0, 0);
  f.FontWrite(b, "{1&FF0}{2&000}■", 0, 0);
  EXPECT_EQ(a.pixels(), b.pixels());
  EXPECT_FALSE(f.SetDefaultColor(0xFFFFFF, 0xFFFFFF, -1));
  Surface c(200, 48, kBg);
  f.FontWrite(c, "{0&F}■", 0, 0);
  EXPECT_EQ(a.pixels(), c.pixels());  // nothing stored

  Surface g(10, 4, kBg);
  UCFont::FillGrad(g, 0, 0, 10, 4, static_cast<int32_t>(gfx::kBlack), static_cast<int32_t>(gfx::kWhite), 0);
  EXPECT_EQ(g.pixel(0, 2), gfx::kBlack);
  EXPECT_GT(g.pixel(8, 0), g.pixel(2, 0));
  EXPECT_EQ(g.pixel(8, 0), g.pixel(8, 3));
}

}  // namespace
