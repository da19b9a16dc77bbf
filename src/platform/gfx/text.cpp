#include "gfx/text.h"

#include <algorithm>
#include <vector>

#include "gfx/blit.h"
#include "sys/text.h"

namespace gfx {
namespace {

struct Line {
  std::string_view text;
  int width = 0;
};

bool isBlank(char32_t c) { return c == U' ' || c == U'\u3000'; }

std::vector<Line> layout(const Font& font, std::string_view text, int boxWidth, unsigned flags) {
  std::vector<Line> lines;
  auto widthOf = [&](std::string_view t) { return font.extent(t).cx; };
  auto push = [&](std::string_view t) {
    if (!t.empty() && t.back() == '\r') t.remove_suffix(1);
    lines.push_back({t, widthOf(t)});
  };
  if (flags & kDtSingleLine) {
    lines.push_back({text, widthOf(text)});
    return lines;
  }
  size_t start = 0;
  while (true) {
    size_t nl = text.find('\n', start);
    std::string_view para = text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
    if (!(flags & kDtWordBreak) || boxWidth <= 0) {
      push(para);
    } else {
      // Greedy wrap: break after the last blank that fits, else before the character that overflows.
      size_t lineStart = 0, lastBlankEnd = std::string_view::npos;
      int w = 0, wAtBlank = 0;
      for (size_t i = 0; i < para.size();) {
        size_t at = i;
        char32_t c = sys::nextCodePoint(para, i);
        int adv = font.advance(c);
        if (w + adv > boxWidth && at > lineStart && !isBlank(c)) {
          if (lastBlankEnd != std::string_view::npos) {
            // The blank the line breaks at takes no room at its end.
            std::string_view head = para.substr(lineStart, lastBlankEnd - lineStart);
            while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
            push(head);
            lineStart = lastBlankEnd;
            w -= wAtBlank;
          } else {
            push(para.substr(lineStart, at - lineStart));
            lineStart = at;
            w = 0;
          }
          lastBlankEnd = std::string_view::npos;
        }
        w += adv;
        if (isBlank(c)) {
          lastBlankEnd = i;
          wAtBlank = w;
        }
      }
      push(para.substr(lineStart));
    }
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  return lines;
}

// Calls fn(codepoint, penX, baselineY) for each glyph of the laid-out text; returns the text height.
template <class Fn>
int forEachGlyph(const Font& font, std::string_view text, Rect& box, unsigned flags, Fn&& fn) {
  auto lines = layout(font, text, box.width(), flags);
  int lh = font.height();
  int total = lh * static_cast<int>(lines.size());
  int y = box.top;
  if (flags & kDtSingleLine) {
    if (flags & kDtVCenter)
      y = box.top + (box.height() - lh) / 2;
    else if (flags & kDtBottom)
      y = box.bottom - lh;
  }
  if (flags & kDtCalcRect) {
    int w = 0;
    for (const auto& l : lines) w = std::max(w, l.width);
    box.right = box.left + w;
    box.bottom = box.top + total;
    return total;
  }
  for (const auto& l : lines) {
    int x = box.left;
    if (flags & kDtCenter)
      x = box.left + (box.width() - l.width) / 2;
    else if (flags & kDtRight)
      x = box.right - l.width;
    for (size_t i = 0; i < l.text.size();) {
      char32_t c = sys::nextCodePoint(l.text, i);
      fn(c, x, y + font.ascent(), l, y);
      x += font.advance(c);
    }
    y += lh;
  }
  return total;
}

void blendGray(Surface& s, const Font::Glyph& g, int px, int py, Color c) {
  if (!g.gray) return;
  for (int j = 0; j < g.grayH; ++j) {
    int y = py + g.grayTop + j;
    for (int i = 0; i < g.grayW; ++i) {
      int a = (*g.gray)[static_cast<size_t>(j) * static_cast<size_t>(g.grayW) + static_cast<size_t>(i)];
      if (a == 0) continue;
      int x = px + g.grayLeft + i;
      if (!s.writable(x, y)) continue;
      Color d = s.pixel(x, y);
      auto mix = [&](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
      s.setPixel(x, y, rgb(mix(red(c), red(d)), mix(green(c), green(d)), mix(blue(c), blue(d))));
    }
  }
}

}  // namespace

std::shared_ptr<const Font> defaultFont() {
  static auto f = Font::open({"MS UI Gothic", emFromPoints(12)});
  return f;
}

void fillRegionAt(Surface& s, const Region& r, int dx, int dy, Color c) {
  Rect b = r.bounds();
  for (int y = b.top; y < b.bottom; ++y)
    for (const auto& sp : r.spans(y)) fillRect(s, {sp.left + dx, y + dy, sp.right + dx, y + dy + 1}, c);
}

int drawText(Surface& s, std::string_view utf8, Rect& box, unsigned flags) {
  std::shared_ptr<const Font> font = s.font ? s.font : defaultFont();
  if (flags & kDtCalcRect) return forEachGlyph(*font, utf8, box, flags, [](char32_t, int, int, const Line&, int) {});

  std::optional<Region> saved = s.clip();
  if (!(flags & kDtNoClip)) {
    Region clip = Region::fromRect(box);
    if (saved) clip.combine(*saved, Region::Op::And);
    s.setClip(clip);
  }
  const Line* filled = nullptr;
  int h = forEachGlyph(*font, utf8, box, flags, [&](char32_t c, int x, int baseline, const Line& line, int top) {
    if (!s.transparentText && filled != &line) {
      // The cell of the whole line, as an opaque background mode paints it.
      int lx = x;
      fillRect(s, Rect::xywh(lx, top, line.width, font->height()), s.backColor);
      filled = &line;
    }
    if (font->request().smooth)
      blendGray(s, font->grayGlyph(c), x, baseline, s.textColor);
    else
      fillRegionAt(s, font->glyphFill(c), x, baseline, s.textColor);
  });
  s.setClip(saved);
  return h;
}

void textOut(Surface& s, int x, int y, std::string_view utf8) {
  Rect box{x, y, x, y};
  drawText(s, utf8, box, kDtSingleLine | kDtNoClip);
}

Path textPath(const Font& font, std::string_view utf8, const Rect& box, unsigned flags) {
  Path p;
  Rect b = box;
  forEachGlyph(font, utf8, b, flags & ~kDtCalcRect, [&](char32_t c, int x, int baseline, const Line&, int) {
    p.append(font.glyph(c).outline, x, baseline);
  });
  return p;
}

}  // namespace gfx
