// Fonts: FreeType faces found through fontconfig, at an em size in pixels.
//
//   auto font = gfx::Font::open({"ＭＳ Ｐゴシック", gfx::emFromPoints(12)});
//   gfx::Size sz = font->extent("ゲーム開始");    // GetTextExtentPoint32: advances x line height
//   surface.font = font;  surface.textColor = gfx::kWhite;
//   gfx::drawText(surface, "はい", box, gfx::kDtCenter | gfx::kDtVCenter | gfx::kDtSingleLine);  // gfx/text.h
//
// The Windows face names the game asks for are mapped to Debian's Japanese fonts:
// "ＭＳ Ｐゴシック" / "MS UI Gothic" -> IPAPGothic, "ＭＳ ゴシック" -> IPAGothic, "ＭＳ 明朝" -> IPAMincho,
// "HG創英角ｺﾞｼｯｸUB" -> M PLUS 1 Black (or the heaviest gothic found). Any other name goes to fontconfig
// as a family; a face without Japanese falls back to IPAPGothic. Characters a face lacks are drawn
// from IPAGothic. open() never fails while any font is installed.
//
// Two-level text of the gothic stand-ins is drawn one pixel heavier across from 20 pixels up, as
// the design's text was beside its baked lettering; advances stay the face's own.
//
// Glyphs are hinted; shapes, advances and rasters are cached per font, so repeated drawing gives
// exactly the pixels of the first. One thread.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/path.h"
#include "gfx/region.h"

namespace gfx {

struct Size {
  int cx = 0, cy = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

// The em in pixels of a font of `points` points at 96 dpi (the platform's MulDiv(points, 96, 72)).
constexpr int emFromPoints(int points) {
  int64_t n = static_cast<int64_t>(points) * 96;
  return static_cast<int>(n >= 0 ? (n + 36) / 72 : -((-n + 36) / 72));
}

struct FontRequest {
  std::string face = "ＭＳ Ｐゴシック";  // a design face name or any fontconfig family
  int em = 16;                           // em height in pixels (the platform's -lfHeight)
  bool bold = false;
  bool smooth = false;  // anti-aliased plain text; false draws two-level, as the game's era did
};

class Font {
 public:
  // A shared font for the request; equal requests share one instance.
  static std::shared_ptr<const Font> open(const FontRequest& request);

  const FontRequest& request() const { return request_; }
  // The family and file fontconfig resolved the face to.
  const std::string& family() const { return family_; }
  const std::string& file() const { return file_; }

  int em() const { return request_.em; }
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  // The line height (tmHeight): ascent + descent.
  int height() const { return ascent_ + descent_; }

  // Advance of one character in whole pixels (control characters advance 0).
  int advance(char32_t c) const;
  // Width = sum of the advances, height = the line height (0 x height for an empty text).
  Size extent(std::string_view utf8) const;
  // True when this face or its fallback has a glyph for c.
  bool hasGlyph(char32_t c) const;

  struct Glyph {
    int advance = 0;
    Path outline;  // pen at (0, 0) on the baseline, y downward
    // Built on first use:
    mutable std::optional<Region> fill;                           // two-level raster of the outline
    mutable std::map<int, Region> strokes;                        // pen width -> stroked outline
    mutable std::optional<std::vector<uint8_t>> gray;             // anti-aliased coverage, grayW x grayH
    mutable int grayLeft = 0, grayTop = 0, grayW = 0, grayH = 0;  // relative to the pen
  };
  // The cached glyph of c (the fallback face's when this face lacks it).
  const Glyph& glyph(char32_t c) const;
  const Region& glyphFill(char32_t c) const;
  const Region& glyphStroke(char32_t c, int penWidth) const;
  // The glyph with its anti-aliased coverage filled in.
  const Glyph& grayGlyph(char32_t c) const;

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

 private:
  Font() = default;
  bool load(const std::string& file, int index, const std::string& family, const FontRequest& request, bool heavyFace,
            bool slenderFace);
  Glyph loadGlyph(char32_t c) const;

  FontRequest request_;
  std::string family_, file_;
  int ascent_ = 0, descent_ = 0;
  bool embolden_ = false;
  bool heavier_ = false;  // two-level text of a slender face, one pixel heavier across
  void* face_ = nullptr;  // FT_Face
  std::shared_ptr<const Font> fallback_;
  mutable std::unordered_map<char32_t, Glyph> glyphs_;
  friend struct FontRegistry;
};

}  // namespace gfx
