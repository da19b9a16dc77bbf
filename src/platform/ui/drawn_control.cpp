#include "ui/drawn_control.h"

#include <algorithm>

#include "gfx/blit.h"
#include "ui/label.h"
#include "ui/toolkit.h"

namespace ui {

DrawnControl::DrawnControl(Window* w, std::string name) : Control(w, std::move(name)), font_(defaultControlFont()) {}

void DrawnControl::paint(Canvas& c) {
  if (stale_ || face_.width() != width() || face_.height() != height()) {
    face_ = gfx::Surface(width(), height(), backColor());
    face_.font = gfx::Font::open(font_);
    face_.transparentText = true;
    render(face_);
    stale_ = false;
  }
  c.blit(face_, 0, 0, width(), height(), 0, 0);
}

void DrawnControl::redraw() {
  stale_ = true;
  invalidate();
}

void DrawnControl::setFont(const gfx::FontRequest& f) {
  font_ = f;
  redraw();
}

void DrawnControl::setFontSize(double points) {
  font_.em = std::max(1, static_cast<int>(points * 96.0 / 72.0 + 0.5));
  redraw();
}

void DrawnControl::setBackColor(gfx::Color c) {
  Control::setBackColor(c);
  redraw();
}

void DrawnControl::setForeColor(gfx::Color c) {
  Control::setForeColor(c);
  redraw();
}

void drawEdge(gfx::Surface& s, const gfx::Rect& r, bool sunken) {
  if (r.width() < 4 || r.height() < 4) return;
  gfx::Color outerTL = sunken ? kShadowColor : kLightColor, innerTL = sunken ? kDarkShadowColor : gfx::kWhite;
  gfx::Color outerBR = sunken ? gfx::kWhite : kDarkShadowColor, innerBR = sunken ? kLightColor : kShadowColor;
  auto frame = [&](const gfx::Rect& q, gfx::Color tl, gfx::Color br) {
    gfx::fillRect(s, {q.left, q.top, q.right, q.top + 1}, tl);
    gfx::fillRect(s, {q.left, q.top, q.left + 1, q.bottom}, tl);
    gfx::fillRect(s, {q.left, q.bottom - 1, q.right, q.bottom}, br);
    gfx::fillRect(s, {q.right - 1, q.top, q.right, q.bottom}, br);
  };
  frame(r, outerTL, outerBR);
  frame({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, innerTL, innerBR);
}

void drawFocusRect(gfx::Surface& s, const gfx::Rect& r) {
  for (int x = r.left; x < r.right; x += 2) {
    s.setPixel(x, r.top, gfx::kBlack);
    s.setPixel(x, r.bottom - 1, gfx::kBlack);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    s.setPixel(r.left, y, gfx::kBlack);
    s.setPixel(r.right - 1, y, gfx::kBlack);
  }
}

}  // namespace ui
