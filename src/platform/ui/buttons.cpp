#include "ui/buttons.h"

#include "gfx/blit.h"
#include "gfx/text.h"
#include "ui/window.h"

namespace ui {

CommandButton::CommandButton(Window* w, std::string name) : DrawnControl(w, std::move(name)) {
  Control::setBackColor(kFaceColor);
  move(0, 0, 75, 25);
}

void CommandButton::setCaption(std::string c) {
  caption_ = std::move(c);
  redraw();
}

void CommandButton::setPressed(bool p) {
  if (p == pressed_) return;
  pressed_ = p;
  redraw();
}

void CommandButton::handleMouseDown(int button, int shift, int x, int y) {
  if (button == kLeftButton) setPressed(true);
  Control::handleMouseDown(button, shift, x, y);
}

void CommandButton::handleMouseMove(int button, int shift, int x, int y) {
  // The pressed look follows the pointer while the button holds the press.
  if (button & kLeftButton) setPressed(hitLocal(x, y));
  Control::handleMouseMove(button, shift, x, y);
}

void CommandButton::handleMouseUp(int button, int shift, int x, int y) {
  if (button == kLeftButton) setPressed(false);
  Control::handleMouseUp(button, shift, x, y);
}

void CommandButton::handleKeyDown(int& key, int shift) {
  Control::handleKeyDown(key, shift);
  if (key == kVkSpace) {
    spaceHeld_ = true;
    setPressed(true);
  } else if (key == kVkReturn) {
    key = 0;
    handleClick();
  }
}

void CommandButton::handleKeyUp(int& key, int shift) {
  Control::handleKeyUp(key, shift);
  if (key == kVkSpace && spaceHeld_) {
    spaceHeld_ = false;
    setPressed(false);
    handleClick();
  }
}

void CommandButton::handleGotFocus() {
  redraw();
  Control::handleGotFocus();
}

void CommandButton::handleLostFocus() {
  spaceHeld_ = false;
  setPressed(false);
  redraw();
  Control::handleLostFocus();
}

void CommandButton::render(gfx::Surface& face) {
  gfx::Rect r = face.bounds();
  bool isDefault = window().defaultButton == this;
  if (hasFocus() || isDefault) {
    // The default button wears a black frame around its edge.
    gfx::fillRect(face, {0, 0, r.right, 1}, gfx::kBlack);
    gfx::fillRect(face, {0, r.bottom - 1, r.right, r.bottom}, gfx::kBlack);
    gfx::fillRect(face, {0, 0, 1, r.bottom}, gfx::kBlack);
    gfx::fillRect(face, {r.right - 1, 0, r.right, r.bottom}, gfx::kBlack);
    r = {1, 1, r.right - 1, r.bottom - 1};
  }
  if (pressed_) {
    gfx::fillRect(face, {r.left, r.top, r.right, r.top + 1}, kShadowColor);
    gfx::fillRect(face, {r.left, r.bottom - 1, r.right, r.bottom}, kShadowColor);
    gfx::fillRect(face, {r.left, r.top, r.left + 1, r.bottom}, kShadowColor);
    gfx::fillRect(face, {r.right - 1, r.top, r.right, r.bottom}, kShadowColor);
  } else {
    drawEdge(face, r, false);
  }
  face.textColor = effectivelyEnabled() ? foreColor() : kGrayTextColor;
  gfx::Rect text = pressed_ ? r.offset(1, 1) : r;
  gfx::drawText(face, caption_, text, gfx::kDtCenter | gfx::kDtVCenter | gfx::kDtSingleLine);
  if (hasFocus()) drawFocusRect(face, {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
}

CheckBox::CheckBox(Window* w, std::string name) : DrawnControl(w, std::move(name)) {
  Control::setBackColor(kFaceColor);
  move(0, 0, 120, 17);
}

void CheckBox::setCaption(std::string c) {
  caption_ = std::move(c);
  redraw();
}

void CheckBox::setValue(int v) {
  if (v < kUnchecked || v > kGrayed || v == value_) return;
  value_ = v;
  redraw();
  Control::handleClick();
}

void CheckBox::handleClick() { setValue(value_ == kChecked ? kUnchecked : kChecked); }

void CheckBox::handleKeyDown(int& key, int shift) {
  Control::handleKeyDown(key, shift);
  if (key == kVkSpace) handleClick();
}

void CheckBox::handleGotFocus() {
  redraw();
  Control::handleGotFocus();
}

void CheckBox::handleLostFocus() {
  redraw();
  Control::handleLostFocus();
}

void CheckBox::render(gfx::Surface& face) {
  int box = 13, top = (height() - box) / 2;
  gfx::Rect b = gfx::Rect::xywh(0, top, box, box);
  gfx::fillRect(face, b, value_ == kGrayed ? kFaceColor : kWindowColor);
  drawEdge(face, b, true);
  if (value_ != kUnchecked) {
    gfx::Color mark = value_ == kGrayed ? kShadowColor : gfx::kBlack;
    // A tick: down from (3, 5) to (5, 7), then up to (9, 3), three pixels thick.
    for (int i = 0; i < 7; ++i) {
      int x = 3 + i, y = i < 3 ? 5 + i : 7 - (i - 2);
      gfx::fillRect(face, gfx::Rect::xywh(x, top + y, 1, 3), mark);
    }
  }
  face.textColor = effectivelyEnabled() ? foreColor() : kGrayTextColor;
  gfx::Rect text{box + 4, 0, width(), height()};
  gfx::drawText(face, caption_, text, gfx::kDtLeft | gfx::kDtVCenter | gfx::kDtSingleLine);
  if (hasFocus() && !caption_.empty()) {
    gfx::Rect m = text;
    gfx::drawText(face, caption_, m, gfx::kDtLeft | gfx::kDtSingleLine | gfx::kDtCalcRect);
    int h = face.font ? face.font->height() : 12;
    int t = (height() - h) / 2;
    drawFocusRect(face, {text.left - 1, t, std::min(width(), m.right + 1), t + h});
  }
}

}  // namespace ui
