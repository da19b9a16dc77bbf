#include "ui/label.h"

#include <algorithm>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "ui/toolkit.h"

namespace ui {

namespace {
// Stands for "no pixel" in a transparent label's cache; text is never drawn in it.
constexpr gfx::Color kSeeThrough = gfx::rgb(1, 2, 3);
}  // namespace

gfx::FontRequest defaultControlFont() { return {"MS UI Gothic", gfx::emFromPoints(9)}; }

Label::Label(Window* w, std::string name) : Control(w, std::move(name)), font_(defaultControlFont()) {
  Control::setBackColor(gfx::rgb(240, 240, 240));
}

void Label::setCaption(std::string c) {
  if (c == caption_) return;
  caption_ = std::move(c);
  stale_ = true;
  invalidate();
}

void Label::setAlignment(int a) {
  alignment_ = a;
  stale_ = true;
  invalidate();
}

void Label::setTransparent(bool t) {
  transparent_ = t;
  stale_ = true;
  invalidate();
}

void Label::setFont(const gfx::FontRequest& f) {
  font_ = f;
  stale_ = true;
  invalidate();
}

void Label::setFontSize(double points) {
  font_.em = std::max(1, static_cast<int>(points * 96.0 / 72.0 + 0.5));
  stale_ = true;
  invalidate();
}

void Label::setForeColor(gfx::Color c) {
  Control::setForeColor(c);
  stale_ = true;
}

void Label::setBackColor(gfx::Color c) {
  Control::setBackColor(c);
  stale_ = true;
}

void Label::paint(Canvas& c) {
  if (stale_ || cache_.width() != width() || cache_.height() != height()) {
    gfx::Color bg = transparent_ ? kSeeThrough : backColor();
    cache_ = gfx::Surface(width(), height(), bg);
    if (!caption_.empty()) {
      cache_.font = gfx::Font::open(font_);
      cache_.textColor = foreColor();
      cache_.transparentText = true;
      unsigned align = alignment_ == kRight ? gfx::kDtRight : alignment_ == kCenter ? gfx::kDtCenter : gfx::kDtLeft;
      gfx::drawText(cache_, caption_, gfx::Rect{0, 0, width(), height()}, align | gfx::kDtWordBreak);
    }
    stale_ = false;
  }
  if (transparent_)
    c.blitKeyed(cache_, 0, 0, width(), height(), 0, 0, kSeeThrough);
  else
    c.blit(cache_, 0, 0, width(), height(), 0, 0);
}

}  // namespace ui
