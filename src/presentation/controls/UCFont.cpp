#include "presentation/controls/UCFont.h"

#include <regex>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "sys/text.h"

namespace {

// The value of "&h" followed by this one character; anything that is not a hex digit is 0.
int32_t hexDigit(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int32_t>(c - U'0');
  if (c >= U'A' && c <= U'F') return static_cast<int32_t>(c - U'A' + 10);
  if (c >= U'a' && c <= U'f') return static_cast<int32_t>(c - U'a' + 10);
  return 0;
}

int32_t colorFFF(const std::u32string& digits) {
  std::u32string d = digits + U"000";
  return static_cast<int32_t>(gfx::rgb(hexDigit(d[0]) * 15, hexDigit(d[1]) * 15, hexDigit(d[2]) * 15));
}

std::u32string decode(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) out.push_back(sys::nextCodePoint(s, i));
  return out;
}

bool inTagAlphabet(char c) {
  return c == '&' || c == '<' || c == '>' || c == '_' || c == '.' || c == '{' || c == '}' || (c >= 'a' && c <= 'z') ||
         (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Longest text a regular expression is run on; libstdc++'s matcher recurses per character and
// would exhaust the stack on very long texts.
constexpr size_t kMaxRegexRun = 4096;

}  // namespace

UCFont::UCFont() {
  color1_.fill(gfx::kBlack);
  color2_.fill(gfx::kBlack);
  color2_[0] = gfx::kWhite;
  SetFontSize(20);
}

bool UCFont::SetDefaultColor(int32_t iDefaultColor1, int32_t iDefaultColor2, int32_t Index) {
  if (Index < 0) return false;
  if (Index > 15) Index = 15;
  color1_[static_cast<size_t>(Index)] = static_cast<gfx::Color>(iDefaultColor1) & 0xFFFFFF;
  color2_[static_cast<size_t>(Index)] = static_cast<gfx::Color>(iDefaultColor2) & 0xFFFFFF;
  return true;
}

void UCFont::SetFontBold(bool wkBool) {
  bold_ = wkBool;
  applyFont();
}

void UCFont::SetFontName(const std::string& wkStr) {
  fontName_ = wkStr;
  applyFont();
}

void UCFont::SetFontSize(int32_t size) {
  pixelSize_ = size + 12;
  applyFont();
}

void UCFont::applyFont() {
  // The font object holds whole points: 15 twips per pixel at 96 dpi, 20 twips per point.
  int32_t points = static_cast<int32_t>((15 * static_cast<int64_t>(pixelSize_)) / 20);
  gfx::FontRequest request{fontName_, std::max(1, gfx::emFromPoints(points)), bold_};
  // Fonts once opened stay open: the same request gives the same font.
  if (font_ && request.face == requested_.face && request.em == requested_.em && request.bold == requested_.bold)
    return;
  font_ = gfx::Font::open(request);
  requested_ = std::move(request);
}

void UCFont::SetFontShadow(int32_t Shadow) {
  simple_ = false;
  shadow_ = Shadow;
}

void UCFont::SetFontStroke(int32_t Stroke) {
  simple_ = false;
  stroke_ = Stroke;
}

void UCFont::SetFontSolid(int32_t Solid) {
  simple_ = false;
  solid_ = Solid;
}

void UCFont::SetFontSimple(bool Simple) { simple_ = Simple; }

void UCFont::FontWrite(gfx::Surface& target, std::string_view text, int32_t X, int32_t Y, int32_t W, int32_t H,
                       std::string_view flags) {
  // Alignment needs the line's measure only when there is a box to align in.
  if (W > 0 || H > 0) {
    int32_t TW = GetTextWidth(text), TH = GetTextHeight(text);
    auto has = [&](char f) { return flags.find(f) != std::string_view::npos; };
    if (W > 0) {
      if (has('C')) X = X + (W - X) / 2 - TW / 2;
      if (has('R')) X = X + W - TW;
    }
    if (H > 0) {
      if (has('M') || has('V')) Y = Y + H / 2 - TH / 2;
      if (has('D')) Y = Y + H - TH;
    }
  }
  applyFont();
  gfx::Color c1 = color1_[0], c2 = color2_[0];
  bool inTag = false;
  std::u32string tag;
  for (size_t i = 0; i < text.size();) {
    char32_t c = sys::nextCodePoint(text, i);
    if (c == U'{') {
      inTag = true;
      continue;
    }
    if (inTag) {
      if (c != U'}') {
        tag.push_back(c);
        continue;
      }
      inTag = false;
      if (tag.size() >= 2 && tag[1] == U'&') {
        int32_t digit = tag.size() >= 3 ? hexDigit(tag[2]) : 0;
        std::u32string arg = tag.substr(2);
        switch (tag[0]) {
          case U'S': SetFontSolid(digit); break;
          case U'K': SetFontShadow(digit); break;
          case U'F': SetFontStroke(digit); break;
          case U'1': c1 = static_cast<gfx::Color>(colorFFF(arg)); break;
          case U'2': c2 = static_cast<gfx::Color>(colorFFF(arg)); break;
          case U'3': c1 = c2 = static_cast<gfx::Color>(colorFFF(arg)); break;
          case U'N':
            SetFontSolid(0);
            SetFontShadow(0);
            SetFontStroke(0);
            simple_ = true;
            break;
          case U'0':
            c1 = color1_[static_cast<size_t>(digit)];
            c2 = color2_[static_cast<size_t>(digit)];
            break;
          default: break;
        }
      }
      tag.clear();
      continue;
    }
    drawGlyph(target, c, X, Y, c1, c2);
    X += font_->advance(c);
    lastX_ = X;
  }
}

void UCFont::drawGlyph(gfx::Surface& target, char32_t c, int32_t x, int32_t y, gfx::Color c1, gfx::Color c2) {
  const gfx::Font& f = *font_;
  int cx = f.advance(c), cy = f.height();
  // A shadow is a few pixels; an absurd offset must not size the work surface by it.
  int sh = std::clamp(shadow_, 0, 255);
  int w = cx + sh, h = cy + sh;
  work_.setClip(std::nullopt);
  // Grown only: its pixels outside the target are never copied back, so a larger scratch
  // picture draws the same, without a new one for every width of glyph.
  if (w > work_.width() || h > work_.height()) work_.resize(std::max(w, work_.width()), std::max(h, work_.height()));
  gfx::bitBlt(work_, 0, 0, w, h, &target, x, y);
  // Centred in (0, 0, cx, cy) on one line: the pen sits at the left edge on the baseline.
  int base = f.ascent();
  if (simple_) {
    work_.textColor = c1;
    gfx::fillRegionAt(work_, f.glyphFill(c), 0, base, c1);
  } else if (c != U' ' && c != U'\u3000') {
    // The outline takes the work surface's pen colour, which only flat drawing changes.
    if (stroke_ > 0) gfx::fillRegionAt(work_, f.glyphStroke(c, stroke_), 0, base, work_.textColor);
    const gfx::Region& shape = f.glyphFill(c);
    if (solid_ > 0) {
      gfx::fillRegionAt(work_, shape, 1, base + 1, gfx::kBlack);
      gfx::fillRegionAt(work_, shape, -1, base - 1, gfx::kWhite);
    }
    if (sh > 0) gfx::fillRegionAt(work_, shape, sh, base + sh, gfx::kBlack);
    gfx::Region clip = shape;
    clip.offset(0, base);
    work_.setClip(std::move(clip));
    FillGrad(work_, 0, 0, w, h, static_cast<int32_t>(c1), static_cast<int32_t>(c2), 1);
    work_.setClip(std::nullopt);
  }
  gfx::bitBlt(target, x, y, w, h, &work_, 0, 0);
}

int32_t UCFont::GetColorPlus(int32_t iDefaultColor1) {
  auto step = [](int v) { return v < 128 ? v + 1 : v - 1; };
  auto c = static_cast<gfx::Color>(iDefaultColor1);
  return static_cast<int32_t>(gfx::rgb(step(gfx::red(c)), step(gfx::green(c)), step(gfx::blue(c))));
}

std::string UCFont::GetTextNatural(std::string_view wkCaption) {
  // Removes every match of {*[&<>a-zA-Z0-9_.]*} (a tag, or a lone closing brace with the letters
  // before it). Such a match ends at the first "}" it meets, so the text is scanned in runs of
  // those characters that end after a "}"; in a run the match starts at the "{"s that open its
  // last stretch of letters, or at the run's start when it holds no "{".
  std::string out;
  out.reserve(wkCaption.size());
  size_t i = 0;
  while (i < wkCaption.size()) {
    if (!inTagAlphabet(wkCaption[i])) {
      out.push_back(wkCaption[i++]);
      continue;
    }
    size_t j = i;
    while (j < wkCaption.size() && inTagAlphabet(wkCaption[j]) && wkCaption[j] != '}') ++j;
    if (j == wkCaption.size() || wkCaption[j] != '}') {
      out.append(wkCaption.substr(i, j - i));  // no closing brace: nothing to remove
    } else {
      size_t start = wkCaption.substr(i, j - i).rfind('{');
      if (start == std::string_view::npos) {
        start = 0;
      } else {
        while (start > 0 && wkCaption[i + start - 1] == '{') --start;
      }
      out.append(wkCaption.substr(i, start));
      ++j;
    }
    i = j;
  }
  return out;
}

int32_t UCFont::GetTextWidth(std::string_view wkCaption) const { return font_->extent(GetTextNatural(wkCaption)).cx; }

int32_t UCFont::GetTextHeight(std::string_view wkCaption) const { return font_->extent(GetTextNatural(wkCaption)).cy; }

std::string UCFont::RegExpReplace(std::string_view Data, std::string_view Pattern, std::string_view AfterStr,
                                  bool IgnoreCase, bool iGlobal) {
  if (Data.size() > kMaxRegexRun) return std::string(Data);
  try {
    auto opts = std::regex::ECMAScript;
    if (IgnoreCase) opts |= std::regex::icase;
    std::regex re{std::string(Pattern), opts};
    auto flags = iGlobal ? std::regex_constants::format_default : std::regex_constants::format_first_only;
    return std::regex_replace(std::string(Data), re, std::string(AfterStr), flags);
  } catch (const std::regex_error&) {
    return std::string(Data);
  }
}

void UCFont::FillGrad(gfx::Surface& TgtHdc, int32_t X, int32_t Y, int32_t W, int32_t H, int32_t Color1, int32_t Color2,
                      int32_t fillMode) {
  gfx::gradientFill(TgtHdc, gfx::Rect::xywh(X, Y, W, H), static_cast<gfx::Color>(Color1) & 0xFFFFFF,
                    static_cast<gfx::Color>(Color2) & 0xFFFFFF,
                    fillMode == 1 ? gfx::GradientDir::Vertical : gfx::GradientDir::Horizontal);
}

int32_t UCFont::GetColorFFF(std::string_view digits) { return colorFFF(decode(digits)); }
