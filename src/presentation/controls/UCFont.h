// The markup text renderer: draws a line of text mixed with brace tags glyph by glyph, each glyph
// filled with a vertical two-colour gradient, optionally outlined, embossed and shadowed.
//
//   UCFt.SetFontName("MS UI Gothic");
//   UCFt.SetFontSize(15);                         // a 27-pixel em
//   UCFt.SetDefaultColor(gfx::rgb(255, 255, 255), gfx::rgb(180, 180, 180));
//   UCFt.FontWrite(target, "{K&1}{1&F00}{2&FF0}勇者{0&}の番", 4, 3);
//   int32_t x = UCFt.GetLastX();                  // just right of the last glyph
//
// Tags: {S&d} emboss, {K&d} shadow, {F&d} outline width (one hex digit each, they persist);
// {1&rgb} {2&rgb} {3&rgb} the top / bottom / both colours of this call (hex digits times 15);
// {N&} flat drawing from now on; {0&d} palette entry d. Anything else in braces is swallowed.
//
// The effect state (shadow, outline, emboss, flat mode, palette, font) is shared by every caller
// and lasts until changed. Drawing goes through a work surface private to the renderer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/font.h"
#include "gfx/surface.h"

class UCFont {
 public:
  UCFont();

  // Palette entry Index = (colour 1, colour 2); above 15 means 15. A negative Index is refused:
  // nothing is stored and the result is false.
  bool SetDefaultColor(int32_t iDefaultColor1, int32_t iDefaultColor2, int32_t Index = 0);
  void SetFontBold(bool wkBool);
  void SetFontName(const std::string& wkStr);
  // Pixel size = size + 12; the work font gets (15 * pixel size) \ 20 points.
  void SetFontSize(int32_t size);
  void SetFontShadow(int32_t Shadow);
  void SetFontStroke(int32_t Stroke);
  void SetFontSolid(int32_t Solid);
  void SetFontSimple(bool Simple);

  // Draws the markup line at (X, Y). With W > 0 the flags "C" (centre in 0..W) and "R" (right)
  // move it, with H > 0 "M" or "V" (middle) and "D" (bottom).
  void FontWrite(gfx::Surface& target, std::string_view text, int32_t X, int32_t Y, int32_t W = 0, int32_t H = 0,
                 std::string_view flags = "");
  int32_t GetLastX() const { return lastX_; }
  void SetFontWidth(int32_t) {}

  // Each channel one step toward the middle: below 128 gains 1, else loses 1.
  static int32_t GetColorPlus(int32_t iDefaultColor1);
  // The text without its tags (every match of "(\{*[&<>a-zA-Z0-9_\.]*\})", any case).
  static std::string GetTextNatural(std::string_view wkCaption);
  int32_t GetTextWidth(std::string_view wkCaption) const;
  int32_t GetTextHeight(std::string_view wkCaption) const;
  // Replaces matches of an ECMAScript pattern; a bad pattern or an over-long text is returned
  // unchanged.
  static std::string RegExpReplace(std::string_view Data, std::string_view Pattern, std::string_view AfterStr,
                                   bool IgnoreCase = false, bool iGlobal = false);
  // One gradient rectangle: fillMode 1 vertical (Color1 on top), 0 horizontal.
  static void FillGrad(gfx::Surface& TgtHdc, int32_t X, int32_t Y, int32_t W, int32_t H, int32_t Color1, int32_t Color2,
                       int32_t fillMode);
  // "rgb" hex digits times 15 each; missing or non-hex digits count as 0.
  static int32_t GetColorFFF(std::string_view digits);

  // The work surface's font as it stands (for callers that measure alike).
  const std::shared_ptr<const gfx::Font>& font() const { return font_; }
  // Effect state, read back by tests and by callers that restore it.
  int32_t shadow() const { return shadow_; }
  int32_t stroke() const { return stroke_; }
  int32_t solid() const { return solid_; }
  bool simple() const { return simple_; }
  int32_t pixelSize() const { return pixelSize_; }

 private:
  void applyFont();
  void drawGlyph(gfx::Surface& target, char32_t c, int32_t x, int32_t y, gfx::Color c1, gfx::Color c2);

  std::array<gfx::Color, 16> color1_{};
  std::array<gfx::Color, 16> color2_{};
  std::string fontName_ = "ＭＳ Ｐゴシック";
  bool bold_ = false;
  int32_t pixelSize_ = 32;
  int32_t shadow_ = 0, stroke_ = 0, solid_ = 0;
  bool simple_ = false;
  int32_t lastX_ = 0;
  std::shared_ptr<const gfx::Font> font_;
  gfx::FontRequest requested_;  // what font_ was opened for
  gfx::Surface work_;           // the renderer's own scratch picture; no other code sees it
};
