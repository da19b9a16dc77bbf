#include "gfx/font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/freetype.h"
#include "sys/text.h"
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace gfx {

namespace detail {

FT_Library freetype() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

}  // namespace detail

namespace {

struct Candidate {
  const char* family;
  const char* style;  // nullptr: the family's regular face
  bool heavy;         // the face is already heavy: no synthetic bold on top
  bool slender;       // its stems hint to one pixel where the design's gothic had two
};

// The design's Windows faces, each with the Debian faces that stand in for it, best first.
std::vector<Candidate> candidatesFor(std::string_view face) {
  auto is = [&](std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), face) != names.end();
  };
  if (is({"ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic", "IPAPGothic"}))
    return {{"IPAPGothic", nullptr, false, true}};
  if (is({"ＭＳ ゴシック", "MS Gothic", "IPAGothic"})) return {{"IPAGothic", nullptr, false, true}};
  if (is({"ＭＳ 明朝", "MS Mincho", "IPAMincho"})) return {{"IPAMincho", nullptr, false, false}};
  if (is({"ＭＳ Ｐ明朝", "MS PMincho", "IPAPMincho"})) return {{"IPAPMincho", nullptr, false, false}};
  if (is({"HG創英角ｺﾞｼｯｸUB"}))
    return {{"M PLUS 1", "Black", true, false},
            {"Noto Sans CJK JP", "Black", true, false},
            {"M PLUS 2", "Black", true, false},
            {"IPAGothic", nullptr, false, false}};
  return {{nullptr, nullptr, false, false}};
}

struct Match {
  std::string file, family;
  int index = 0;
};

bool familyIs(FcPattern* p, const char* family) {
  FcChar8* f = nullptr;
  for (int i = 0; FcPatternGetString(p, FC_FAMILY, i, &f) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(f, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
  return false;
}

bool styleIs(FcPattern* p, const char* style) {
  FcChar8* s = nullptr;
  for (int i = 0; FcPatternGetString(p, FC_STYLE, i, &s) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(s, reinterpret_cast<const FcChar8*>(style)) == 0) return true;
  return false;
}

bool speaksJapanese(FcPattern* p) {
  FcLangSet* ls = nullptr;
  return FcPatternGetLangSet(p, FC_LANG, 0, &ls) == FcResultMatch &&
         FcLangSetHasLang(ls, reinterpret_cast<const FcChar8*>("ja")) != FcLangDifferentLang;
}

// Asks fontconfig for the family (and style); only an exact family is accepted, except for a
// free-form name, which takes whatever Japanese face fontconfig likes best for it.
std::optional<Match> find(const char* family, const char* style, bool exact) {
  static bool ready = FcInit();
  if (!ready) return std::nullopt;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  if (style) FcPatternAddString(pat, FC_STYLE, reinterpret_cast<const FcChar8*>(style));
  FcPatternAddString(pat, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* m = FcFontMatch(nullptr, pat, &res);
  FcPatternDestroy(pat);
  if (!m) return std::nullopt;
  std::optional<Match> out;
  FcChar8* file = nullptr;
  bool ok = exact ? familyIs(m, family) && (!style || styleIs(m, style)) : speaksJapanese(m);
  if (ok && FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) {
    Match r;
    r.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(m, FC_INDEX, 0, &r.index);
    FcChar8* fam = nullptr;
    if (FcPatternGetString(m, FC_FAMILY, 0, &fam) == FcResultMatch) r.family = reinterpret_cast<const char*>(fam);
    out = r;
  }
  FcPatternDestroy(m);
  return out;
}

int scaled(int units, int em, int upem) {
  return upem > 0 ? static_cast<int>(std::lround(static_cast<double>(units) * em / upem)) : 0;
}

}  // namespace

struct FontRegistry {
  static std::shared_ptr<const Font> open(const FontRequest& request) {
    static std::map<std::string, std::shared_ptr<Font>> fonts;
    FontRequest s = request;
    s.em = std::clamp(s.em, 1, 1000);
    std::string key = s.face + '\n' + std::to_string(s.em) + (s.bold ? "b" : "") + (s.smooth ? "s" : "");
    if (auto it = fonts.find(key); it != fonts.end()) return it->second;

    auto font = std::shared_ptr<Font>(new Font());
    bool loaded = false;
    for (const auto& c : candidatesFor(s.face)) {
      const char* family = c.family ? c.family : s.face.c_str();
      auto m = find(family, c.style, c.family != nullptr);
      if (m && font->load(m->file, m->index, m->family, s, c.heavy, c.slender)) {
        loaded = true;
        break;
      }
    }
    if (!loaded) {
      auto m = find("IPAPGothic", nullptr, false);
      if (!m || !font->load(m->file, m->index, m->family, s, false, false)) font->family_.clear();
    }
    // Characters the face lacks come from the fixed gothic, as font linking did.
    if (font->family_ != "IPAGothic" && s.face != "ＭＳ ゴシック") {
      FontRequest fb = s;
      fb.face = "ＭＳ ゴシック";
      font->fallback_ = open(fb);
    }
    fonts[key] = font;
    return font;
  }
};

std::shared_ptr<const Font> Font::open(const FontRequest& request) { return FontRegistry::open(request); }

Font::~Font() {
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

bool Font::load(const std::string& file, int index, const std::string& family, const FontRequest& request,
                bool heavyFace, bool slenderFace) {
  FT_Face face = nullptr;
  if (FT_New_Face(detail::freetype(), file.c_str(), index, &face)) return false;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(request.em))) {
    FT_Done_Face(face);
    return false;
  }
  request_ = request;
  family_ = family;
  file_ = file;
  face_ = face;
  embolden_ = request.bold && !heavyFace;
  // From 20 pixels up the design's gothic drew its two-level text a pixel heavier than this
  // stand-in hints to, and beside the baked lettering ours looked spindly. So its glyphs get one
  // pixel more across (stems, not bars, as the platform's own emboldening did), placed so every
  // edge stays a quarter pixel off the sample points; the advances stay the face's own, so no
  // layout moves.
  heavier_ = slenderFace && !request.smooth && !request.bold && request.em >= 20;
  // Windows measures lines by the OS/2 table's win metrics.
  int upem = face->units_per_EM;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent_ = scaled(os2->usWinAscent, request.em, upem);
    descent_ = scaled(os2->usWinDescent, request.em, upem);
  } else {
    ascent_ = scaled(face->ascender, request.em, upem);
    descent_ = scaled(-face->descender, request.em, upem);
  }
  return true;
}

Font::Glyph Font::loadGlyph(char32_t c) const {
  Glyph g;
  if (c < 0x20 || c == 0x7F) return g;  // control characters take no room
  auto face = static_cast<FT_Face>(face_);
  FT_UInt idx = face ? FT_Get_Char_Index(face, c) : 0;
  if (idx == 0 && fallback_ && fallback_->hasGlyph(c)) {
    const Glyph& f = fallback_->glyph(c);
    g.advance = f.advance;
    g.outline = f.outline;
    return g;
  }
  if (!face ||
      FT_Load_Glyph(face, idx, FT_LOAD_NO_BITMAP | (request_.smooth ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO)) ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return g;
  FT_GlyphSlot slot = face->glyph;
  FT_Pos adv = slot->advance.x;
  if (embolden_) {
    // Synthetic bold, as the platform did for faces without a bold cut: a little wider.
    FT_Pos str = std::max<FT_Pos>(64, request_.em * 64 / 24);
    FT_Outline_EmboldenXY(&slot->outline, str, str / 2);
    FT_Outline_Translate(&slot->outline, 0, -str / 4);
    adv += str;
  }
  if (heavier_) {
    FT_Outline_EmboldenXY(&slot->outline, 64, 0);
    FT_Outline_Translate(&slot->outline, 16, 0);
  }
  g.advance = static_cast<int>((adv + 32) >> 6);
  const FT_Outline& o = slot->outline;
  int start = 0;
  for (int ci = 0; ci < o.n_contours; ++ci) {
    std::vector<Path::Point> pts;
    for (int k = start; k <= o.contours[ci]; ++k) {
      char tag = FT_CURVE_TAG(o.tags[k]);
      Path::Kind kind = tag == FT_CURVE_TAG_ON      ? Path::Kind::On
                        : tag == FT_CURVE_TAG_CONIC ? Path::Kind::Conic
                                                    : Path::Kind::Cubic;
      pts.push_back({static_cast<int32_t>(o.points[k].x), static_cast<int32_t>(-o.points[k].y), kind});
    }
    g.outline.addContour(pts);
    start = o.contours[ci] + 1;
  }
  return g;
}

const Font::Glyph& Font::glyph(char32_t c) const {
  auto it = glyphs_.find(c);
  if (it == glyphs_.end()) it = glyphs_.emplace(c, loadGlyph(c)).first;
  return it->second;
}

const Region& Font::glyphFill(char32_t c) const {
  const Glyph& g = glyph(c);
  if (!g.fill) g.fill = g.outline.fill();
  return *g.fill;
}

const Region& Font::glyphStroke(char32_t c, int penWidth) const {
  const Glyph& g = glyph(c);
  auto it = g.strokes.find(penWidth);
  if (it == g.strokes.end()) it = g.strokes.emplace(penWidth, g.outline.stroke(penWidth)).first;
  return it->second;
}

const Font::Glyph& Font::grayGlyph(char32_t c) const {
  const Glyph& g = glyph(c);
  if (g.gray) return g;
  g.gray.emplace();
  if (g.outline.empty()) return g;
  std::vector<FT_Vector> pts;
  std::vector<char> tags;
  std::vector<short> ends;
  for (const auto& p : g.outline.points()) {
    pts.push_back({p.x, -p.y});
    tags.push_back(p.kind == Path::Kind::On      ? FT_CURVE_TAG_ON
                   : p.kind == Path::Kind::Conic ? FT_CURVE_TAG_CONIC
                                                 : FT_CURVE_TAG_CUBIC);
  }
  for (int e : g.outline.contourEnds()) ends.push_back(static_cast<short>(e));
  FT_Outline o{};
  o.n_points = static_cast<short>(pts.size());
  o.n_contours = static_cast<short>(ends.size());
  o.points = pts.data();
  o.tags = tags.data();
  o.contours = ends.data();
  FT_BBox box;
  FT_Outline_Get_CBox(&o, &box);
  FT_Pos x0 = box.xMin >> 6, y0 = box.yMin >> 6, x1 = (box.xMax + 63) >> 6, y1 = (box.yMax + 63) >> 6;
  g.grayW = static_cast<int>(x1 - x0);
  g.grayH = static_cast<int>(y1 - y0);
  g.grayLeft = static_cast<int>(x0);
  g.grayTop = static_cast<int>(-y1);
  g.gray->assign(static_cast<size_t>(g.grayW) * static_cast<size_t>(g.grayH), 0);
  FT_Bitmap bm{};
  bm.rows = static_cast<unsigned>(g.grayH);
  bm.width = static_cast<unsigned>(g.grayW);
  bm.pitch = g.grayW;
  bm.buffer = g.gray->data();
  bm.num_grays = 256;
  bm.pixel_mode = FT_PIXEL_MODE_GRAY;
  FT_Outline_Translate(&o, -x0 * 64, -y0 * 64);
  FT_Outline_Get_Bitmap(detail::freetype(), &o, &bm);
  return g;
}

int Font::advance(char32_t c) const { return glyph(c).advance; }

bool Font::hasGlyph(char32_t c) const {
  auto face = static_cast<FT_Face>(face_);
  if (face && FT_Get_Char_Index(face, c) != 0) return true;
  return fallback_ && fallback_->hasGlyph(c);
}

Size Font::extent(std::string_view utf8) const {
  Size s{0, height()};
  for (size_t i = 0; i < utf8.size();) s.cx += advance(sys::nextCodePoint(utf8, i));
  return s;
}

}  // namespace gfx
