#include "ui/text_box.h"

#include <algorithm>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "ui/toolkit.h"
#include "sys/text.h"

namespace ui {

namespace {
constexpr int kInset = 4;
}

TextBox::TextBox(Window* w, std::string name) : DrawnControl(w, std::move(name)) {
  Control::setBackColor(kWindowColor);
  move(0, 0, 100, 21);
  setMousePointer(kPointerIBeam);
}

std::string TextBox::text() const { return sys::toUtf8(text_); }

void TextBox::setText(const std::string& utf8) {
  std::u32string t = sys::toCodePoints(utf8);
  // Line breaks have no place in a one-line box.
  t.erase(std::remove_if(t.begin(), t.end(), [](char32_t c) { return c == U'\r' || c == U'\n'; }), t.end());
  if (maxLength_ > 0 && static_cast<int>(t.size()) > maxLength_) t.resize(static_cast<size_t>(maxLength_));
  bool changed = t != text_;
  text_ = std::move(t);
  anchor_ = caret_ = 0;
  scroll_ = 0;
  redraw();
  if (changed) {
    if (Change) Change();
  }
}

int TextBox::selStart() const { return std::min(anchor_, caret_); }
int TextBox::selLength() const { return std::abs(caret_ - anchor_); }
std::string TextBox::selText() const {
  return sys::toUtf8(text_.substr(static_cast<size_t>(selStart()), static_cast<size_t>(selLength())));
}

void TextBox::setSelStart(int pos) {
  pos = std::clamp(pos, 0, static_cast<int>(text_.size()));
  anchor_ = caret_ = pos;
  redraw();
}

void TextBox::setSelLength(int len) {
  int start = selStart();
  anchor_ = start;
  caret_ = std::clamp(start + std::max(0, len), 0, static_cast<int>(text_.size()));
  redraw();
}

void TextBox::setSelText(const std::string& utf8) { replaceSelection(sys::toCodePoints(utf8)); }

void TextBox::replaceSelection(const std::u32string& in) {
  std::u32string s;
  for (char32_t c : in)
    if (c >= 32 && c != 127) s.push_back(c);
  int start = selStart(), len = selLength();
  if (maxLength_ > 0) {
    int room = maxLength_ - (static_cast<int>(text_.size()) - len);
    if (room < static_cast<int>(s.size())) s.resize(static_cast<size_t>(std::max(0, room)));
  }
  if (s.empty() && len == 0) return;
  text_.replace(static_cast<size_t>(start), static_cast<size_t>(len), s);
  anchor_ = caret_ = start + static_cast<int>(s.size());
  redraw();
  if (Change) Change();
}

void TextBox::setCaret(int pos, bool extend) {
  caret_ = std::clamp(pos, 0, static_cast<int>(text_.size()));
  if (!extend) anchor_ = caret_;
  redraw();
}

int TextBox::xOf(int pos) const {
  auto f = gfx::Font::open(font_);
  int x = 0;
  for (int i = 0; i < pos && i < static_cast<int>(text_.size()); ++i) x += f->advance(text_[static_cast<size_t>(i)]);
  return x;
}

int TextBox::positionAt(int x) const {
  auto f = gfx::Font::open(font_);
  int at = x - kInset + scroll_, pos = 0, cx = 0;
  for (char32_t c : text_) {
    int w = f->advance(c);
    if (at < cx + w / 2) break;
    cx += w;
    ++pos;
  }
  return pos;
}

void TextBox::handleMouseDown(int button, int shift, int x, int y) {
  if (button == kLeftButton) setCaret(positionAt(x), shift & kShiftMask);
  Control::handleMouseDown(button, shift, x, y);
}

void TextBox::handleMouseMove(int button, int shift, int x, int y) {
  if ((button & kLeftButton) && hasCapture()) setCaret(positionAt(x), true);
  Control::handleMouseMove(button, shift, x, y);
}

void TextBox::handleDblClick() {
  anchor_ = 0;
  caret_ = static_cast<int>(text_.size());
  redraw();
  Control::handleDblClick();
}

void TextBox::handleKeyDown(int& key, int shift) {
  Control::handleKeyDown(key, shift);
  // While the input method composes, the keys are its own.
  if (key == 0 || !composition_.empty()) return;
  bool ext = shift & kShiftMask;
  int n = static_cast<int>(text_.size());
  switch (key) {
    case kVkLeft: setCaret(!ext && selLength() ? selStart() : caret_ - 1, ext); break;
    case kVkRight: setCaret(!ext && selLength() ? selStart() + selLength() : caret_ + 1, ext); break;
    case kVkHome: setCaret(0, ext); break;
    case kVkEnd: setCaret(n, ext); break;
    case kVkDelete:
      if (locked_) break;
      if (!selLength() && caret_ < n) caret_ = caret_ + 1;
      replaceSelection({});
      break;
    case 'A':
      if (shift & kCtrlMask) {
        anchor_ = 0;
        caret_ = n;
        redraw();
      }
      break;
    case 'C':
    case 'X':
      if ((shift & kCtrlMask) && selLength() && hasBackend()) {
        backend().setClipboardText(selText());
        if (key == 'X' && !locked_) replaceSelection({});
      }
      break;
    case 'V':
      if ((shift & kCtrlMask) && !locked_ && hasBackend()) replaceSelection(sys::toCodePoints(backend().clipboardText()));
      break;
    default: break;
  }
}

void TextBox::handleKeyPress(int& ascii) {
  Control::handleKeyPress(ascii);
  if (ascii == kVkBack && composition_.empty() && !locked_) {
    if (!selLength() && caret_ > 0) anchor_ = caret_ - 1;
    replaceSelection({});
    ascii = 0;
  }
}

void TextBox::handleText(const std::string& utf8) {
  composition_.clear();
  if (!locked_) replaceSelection(sys::toCodePoints(utf8));
  redraw();
}

void TextBox::handleTextEditing(const std::string& utf8, int cursor) {
  composition_ = utf8;
  compositionCursor_ = cursor;
  redraw();
}

void TextBox::handleGotFocus() {
  redraw();
  Control::handleGotFocus();
}

void TextBox::handleLostFocus() {
  composition_.clear();
  redraw();
  Control::handleLostFocus();
}

void TextBox::render(gfx::Surface& face) {
  auto f = face.font;
  int w = width(), h = height();
  int lineH = f->height();
  int top = std::max(2, (h - lineH) / 2);
  int view = w - 2 * kInset;
  // Keep the caret (and a composition after it) in view.
  std::u32string comp = sys::toCodePoints(composition_);
  int compW = 0;
  for (char32_t c : comp) compW += f->advance(c);
  int cx = xOf(caret_);
  if (cx + compW - scroll_ > view) scroll_ = cx + compW - view;
  if (cx - scroll_ < 0) scroll_ = cx;
  scroll_ = std::max(0, scroll_);

  gfx::Color bg = effectivelyEnabled() ? backColor() : kFaceColor;
  gfx::fillRect(face, face.bounds(), bg);
  face.setClip(gfx::Region::fromRect({2, 2, w - 2, h - 2}));
  int s0 = selStart(), s1 = selStart() + selLength();
  bool showSel = hasFocus() && s1 > s0;
  int x = kInset - scroll_;
  auto drawRun = [&](const std::u32string& run, gfx::Color fg, std::optional<gfx::Color> back) {
    for (char32_t c : run) {
      int adv = f->advance(c);
      if (back) gfx::fillRect(face, gfx::Rect::xywh(x, top, adv, lineH), *back);
      face.textColor = fg;
      gfx::textOut(face, x, top, sys::toUtf8(std::u32string(1, c)));
      x += adv;
    }
  };
  gfx::Color fg = effectivelyEnabled() ? foreColor() : kGrayTextColor;
  for (int i = 0; i < static_cast<int>(text_.size()); ++i) {
    if (i == caret_ && !comp.empty()) {
      int cx0 = x;
      drawRun(comp, fg, std::nullopt);
      gfx::fillRect(face, {cx0, top + lineH - 1, x, top + lineH}, fg);  // the composition's underline
    }
    bool sel = showSel && i >= s0 && i < s1;
    drawRun(std::u32string(1, text_[static_cast<size_t>(i)]), sel ? gfx::kWhite : fg,
            sel ? std::optional<gfx::Color>(kHighlightColor) : std::nullopt);
  }
  if (caret_ == static_cast<int>(text_.size()) && !comp.empty()) {
    int cx0 = x;
    drawRun(comp, fg, std::nullopt);
    gfx::fillRect(face, {cx0, top + lineH - 1, x, top + lineH}, fg);
  }
  if (hasFocus()) {
    int caretX = kInset - scroll_ + xOf(caret_);
    for (int i = 0; i < compositionCursor_ && i < static_cast<int>(comp.size()); ++i)
      caretX += f->advance(comp[static_cast<size_t>(i)]);
    gfx::fillRect(face, {caretX, top, caretX + 1, top + lineH}, fg);
  }
  face.setClip(std::nullopt);
  drawEdge(face, face.bounds(), true);
}

}  // namespace ui
