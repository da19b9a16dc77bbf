#include "ui/control.h"

#include <algorithm>
#include <cstring>

#include "gfx/blit.h"
#include "ui/detail.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace ui {

// ---- Canvas ----------------------------------------------------------------------------

template <class Fn>
void Canvas::eachRun(int y, int l, int r, Fn&& fn) {
  if (y < clip_.top || y >= clip_.bottom) return;
  l = std::max(l, clip_.left);
  r = std::min(r, clip_.right);
  if (l >= r) return;
  if (!shape_) {
    fn(l, r);
    return;
  }
  for (const auto& s : shape_->spans(y)) {
    int a = std::max(l, s.left), b = std::min(r, s.right);
    if (a < b) fn(a, b);
  }
}

namespace {

// Trims a copy to the part that lies on the source, so that nothing outside it is read.
bool keepToSource(const gfx::Surface& src, int& sx, int& sy, int& w, int& h, int& x, int& y) {
  if (sx < 0) {
    w += sx;
    x -= sx;
    sx = 0;
  }
  if (sy < 0) {
    h += sy;
    y -= sy;
    sy = 0;
  }
  w = std::min(w, src.width() - sx);
  h = std::min(h, src.height() - sy);
  return w > 0 && h > 0;
}

}  // namespace

void Canvas::blit(const gfx::Surface& src, int sx, int sy, int w, int h, int x, int y) {
  if (!keepToSource(src, sx, sy, w, h, x, y)) return;
  int fx = ox_ + x, fy = oy_ + y;
  for (int j = 0; j < h; ++j) {
    int dy = fy + j;
    eachRun(dy, fx, fx + w, [&](int a, int b) {
      std::memcpy(frame_.mutableRow(dy) + a, src.row(sy + j) + (sx + a - fx), sizeof(gfx::Color) * (b - a));
    });
  }
}

void Canvas::blitKeyed(const gfx::Surface& src, int sx, int sy, int w, int h, int x, int y, gfx::Color key) {
  if (!keepToSource(src, sx, sy, w, h, x, y)) return;
  int fx = ox_ + x, fy = oy_ + y;
  for (int j = 0; j < h; ++j) {
    int dy = fy + j;
    eachRun(dy, fx, fx + w, [&](int a, int b) {
      gfx::Color* out = frame_.mutableRow(dy);
      const gfx::Color* in = src.row(sy + j) + (sx + a - fx);
      for (int i = a; i < b; ++i, ++in)
        if (*in != key) out[i] = *in;
    });
  }
}

void Canvas::fill(const gfx::Rect& r, gfx::Color c) {
  c &= 0xFFFFFF;
  for (int y = r.top; y < r.bottom; ++y) {
    int dy = oy_ + y;
    eachRun(dy, ox_ + r.left, ox_ + r.right, [&](int a, int b) { gfx::fillRun(frame_.mutableRow(dy) + a, b - a, c); });
  }
}

// ---- Control ---------------------------------------------------------------------------

Control::Control(Window* window, std::string name) : window_(window), name_(std::move(name)) {}

Control::~Control() {
  detach();
  for (Control* c : children_) c->parent_ = nullptr;
  tk().forget(this);
}

void Control::detach() {
  if (!parent_) return;
  auto& sib = parent_->children_;
  sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  parent_ = nullptr;
}

void Control::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Toolkit& t = tk();
  if (!v) {
    // Hidden controls hold no capture and no focus.
    for (Control* c = t.capture; c; c = c->parent_)
      if (c == this) {
        releaseCapture();
        break;
      }
    for (Control* c = window_->focus_; c && c != window_; c = c->parent_)
      if (c == this) {
        window_->focus_ = nullptr;
        t.updateTextInput();
        break;
      }
  }
  invalidate();
}

bool Control::effectivelyVisible() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void Control::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  if (!e) {
    Toolkit& t = tk();
    if (t.capture == this) releaseCapture();
    if (window_->focus_ == this) {
      window_->focus_ = nullptr;
      t.updateTextInput();
    }
  }
  invalidate();
}

bool Control::effectivelyEnabled() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->enabled_) return false;
  return true;
}

bool Control::setContainer(Control* c) {
  if (this == window_) return false;
  if (!c) c = window_;
  if (&c->window() != window_) return false;
  for (Control* p = c; p; p = p->parent_)
    if (p == this) return false;
  if (c == parent_) return true;
  detach();
  parent_ = c;
  c->children_.push_back(this);
  invalidate();
  return true;
}

void Control::zorder(int position) {
  if (!parent_) {
    if (this == window_ && position == 0) tk().raise(window_);
    return;
  }
  auto& sib = parent_->children_;
  sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  if (position == 0)
    sib.push_back(this);
  else
    sib.insert(sib.begin(), this);
  invalidate();
}

void Control::move(int left, int top) { move(left, top, rect_.width(), rect_.height()); }

void Control::move(int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  bool sized = width != rect_.width() || height != rect_.height();
  rect_ = gfx::Rect::xywh(left, top, width, height);
  if (sized) resized();
  invalidate();
}

gfx::Rect Control::frameRect() const {
  int x = 0, y = 0;
  for (const Control* c = this; c; c = c->parent_) {
    if (c == window_) {
      if (!window_->isMain()) {
        x += c->rect_.left;
        y += c->rect_.top;
      }
      break;
    }
    x += c->rect_.left;
    y += c->rect_.top;
  }
  return gfx::Rect::xywh(x, y, rect_.width(), rect_.height());
}

void Control::setBackColor(gfx::Color c) {
  backColor_ = c & 0xFFFFFF;
  invalidate();
}

void Control::setForeColor(gfx::Color c) {
  foreColor_ = c & 0xFFFFFF;
  invalidate();
}

void Control::setMousePointer(int pointer) { mousePointer_ = pointer; }

void Control::setMouseIcon(std::shared_ptr<const CursorImage> icon) { mouseIcon_ = std::move(icon); }

void Control::setShape(std::optional<gfx::Region> r) {
  shape_ = std::move(r);
  invalidate();
}

bool Control::setFocus() {
  if (!canFocus() || !effectivelyVisible() || !effectivelyEnabled()) return false;
  Control* old = window_->focus_;
  if (old == this) return true;
  window_->focus_ = this;
  tk().updateTextInput();
  if (old) old->handleLostFocus();
  // A LostFocus handler may have moved the focus on; only announce what still holds.
  if (window_->focus_ == this) handleGotFocus();
  return true;
}

bool Control::hasFocus() const { return window_->focus_ == this; }

void Control::setCapture() {
  Toolkit& t = tk();
  t.capture = this;
  t.captureImplicit = false;
  if (t.backend) t.backend->captureMouse(true);
}

void Control::releaseCapture() {
  if (tk().capture == this) ui::releaseCapture();
}

bool Control::hasCapture() const { return tk().capture == this; }

void Control::refresh() { invalidate(); }

bool Control::hitLocal(int x, int y) const {
  if (x < 0 || y < 0 || x >= rect_.width() || y >= rect_.height()) return false;
  return !shape_ || shape_->contains(x, y);
}

void Control::handleMouseDown(int button, int shift, int x, int y) {
  if (MouseDown) MouseDown(button, shift, x, y);
}
void Control::handleMouseUp(int button, int shift, int x, int y) {
  if (MouseUp) MouseUp(button, shift, x, y);
}
void Control::handleMouseMove(int button, int shift, int x, int y) {
  if (MouseMove) MouseMove(button, shift, x, y);
}
void Control::handleClick() {
  if (Click) Click();
}
void Control::handleDblClick() {
  if (DblClick) DblClick();
}
void Control::handleKeyDown(int& key, int shift) {
  if (KeyDown) KeyDown(key, shift);
}
void Control::handleKeyUp(int& key, int shift) {
  if (KeyUp) KeyUp(key, shift);
}
void Control::handleKeyPress(int& ascii) {
  if (KeyPress) KeyPress(ascii);
}
void Control::handleGotFocus() {
  if (GotFocus) GotFocus();
}
void Control::handleLostFocus() {
  if (LostFocus) LostFocus();
}

void Control::paint(Canvas& c) { c.fill({0, 0, rect_.width(), rect_.height()}, backColor_); }

}  // namespace ui
