#include "ui/toolkit.h"

#include <algorithm>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "sys/clock.h"
#include "ui/detail.h"
#include "ui/keys.h"
#include "ui/label.h"

namespace ui {

Toolkit& tk() {
  static Toolkit t;
  return t;
}

int64_t nowTicks() { return sys::clock().now(); }
int64_t msToTicks(int ms) { return sys::clock().frequency() / 1000 * ms; }

namespace {

// ---- composition -----------------------------------------------------------------------

// A control with no visible part has nothing to show, and its drawing must not keep the
// frame changed for ever.
void markComposedTree(Control& c) {
  c.markComposed();
  for (Control* ch : c.children())
    if (ch->visible()) markComposedTree(*ch);
}

void paintTree(gfx::Surface& frame, Control& c, int ox, int oy, gfx::Rect clip, const gfx::Region* shape) {
  clip = clip.intersect(gfx::Rect::xywh(ox, oy, c.width(), c.height()));
  if (clip.empty()) {
    markComposedTree(c);
    return;
  }
  std::optional<gfx::Region> own;
  if (c.shape()) {
    own = *c.shape();
    own->offset(ox, oy);
    if (shape) own->combine(*shape, gfx::Region::Op::And);
    shape = &*own;
    if (own->empty()) {
      markComposedTree(c);
      return;
    }
  }
  Canvas cv(frame, ox, oy, clip, shape);
  c.paint(cv);
  c.markComposed();
  for (Control* ch : c.children())
    if (ch->visible()) paintTree(frame, *ch, ox + ch->left(), oy + ch->top(), clip, shape);
}

bool changedTree(const Control& c) {
  if (c.contentChanged()) return true;
  for (const Control* ch : c.children())
    if (ch->visible() && changedTree(*ch)) return true;
  return false;
}

std::vector<std::string> tipLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t nl = text.find('\n', start);
    std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return lines;
}

// The tooltip: a pale box under the pointer, kept inside the frame.
void drawTip(gfx::Surface& frame) {
  Toolkit& t = tk();
  auto font = gfx::Font::open(defaultControlFont());
  auto lines = tipLines(t.tipText);
  int w = 0;
  for (const auto& l : lines) w = std::max(w, font->extent(l).cx);
  int lh = font->height();
  int bw = w + 8, bh = lh * static_cast<int>(lines.size()) + 4;
  int x = t.tipX, y = t.tipY + 20;
  if (x + bw > frame.width()) x = frame.width() - bw;
  if (y + bh > frame.height()) y = t.tipY - bh - 2;
  x = std::max(0, x);
  y = std::max(0, y);
  gfx::Rect box = gfx::Rect::xywh(x, y, bw, bh);
  gfx::fillRect(frame, box, gfx::kBlack);
  gfx::fillRect(frame, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, gfx::rgb(255, 255, 225));
  auto oldFont = frame.font;
  gfx::Color oldColor = frame.textColor;
  bool oldMode = frame.transparentText;
  frame.font = font;
  frame.textColor = gfx::kBlack;
  frame.transparentText = true;
  for (size_t i = 0; i < lines.size(); ++i) gfx::textOut(frame, x + 4, y + 2 + lh * static_cast<int>(i), lines[i]);
  frame.font = oldFont;
  frame.textColor = oldColor;
  frame.transparentText = oldMode;
}

void compose() {
  Toolkit& t = tk();
  int w = t.main ? t.main->width() : 800, h = t.main ? t.main->height() : 600;
  if (t.frame.width() != w || t.frame.height() != h) t.frame = gfx::Surface(w, h);
  gfx::Rect all = t.frame.bounds();
  if (t.main && t.main->visible())
    paintTree(t.frame, *t.main, 0, 0, all, nullptr);
  else
    std::fill(t.frame.mutablePixels().begin(), t.frame.mutablePixels().end(), gfx::kBlack);
  for (Window* win : t.stack)
    if (win->visible()) paintTree(t.frame, *win, win->left(), win->top(), all, nullptr);
  if (t.tipShown && !t.tipText.empty()) drawTip(t.frame);
  t.dirty = false;
}

bool anythingChanged() {
  Toolkit& t = tk();
  if (t.dirty) return true;
  if (t.main && t.main->visible() && changedTree(*t.main)) return true;
  for (Window* w : t.stack)
    if (w->visible() && changedTree(*w)) return true;
  return false;
}

// ---- hit testing -----------------------------------------------------------------------

Control* hitIn(Control& c, int x, int y) {
  const auto& kids = c.children();
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
    Control* ch = *it;
    if (!ch->visible()) continue;
    int lx = x - ch->left(), ly = y - ch->top();
    if (ch->hitLocal(lx, ly)) return hitIn(*ch, lx, ly);
  }
  return &c;
}

Window* windowAt(int fx, int fy) {
  Toolkit& t = tk();
  auto inside = [&](Window* w) {
    if (!w->visible()) return false;
    if (w->isMain()) return fx >= 0 && fy >= 0 && fx < w->width() && fy < w->height();
    return w->hitLocal(fx - w->left(), fy - w->top());
  };
  if (Window* m = activeWindow(); m && m->isModal()) return inside(m) ? m : nullptr;
  for (auto it = t.stack.rbegin(); it != t.stack.rend(); ++it)
    if (inside(*it)) return *it;
  if (t.main && inside(t.main)) return t.main;
  return nullptr;
}

// The control that takes pointer input at a frame point: hidden controls are looked
// through, a disabled one passes it to its nearest enabled container.
Control* controlAt(int fx, int fy) {
  Window* w = windowAt(fx, fy);
  if (!w) return nullptr;
  gfx::Rect wr = w->frameRect();
  Control* c = hitIn(*w, fx - wr.left, fy - wr.top);
  while (c && !c->effectivelyEnabled()) c = c->container();
  return c;
}

bool acceptsInput(const Control* c) { return c && (c->window().inputEnabled() || c->window().keepsInput(c)); }

// ---- cursor and tooltip ----------------------------------------------------------------

void updateCursor(Control* c) {
  Toolkit& t = tk();
  if (!t.backend) return;
  int p = kPointerDefault;
  const CursorImage* img = nullptr;
  if (c) {
    p = c->mousePointer();
    if (p == kPointerCustom) img = c->mouseIcon().get();
  }
  if (p == t.cursor && img == t.cursorImage) return;
  t.cursor = p;
  t.cursorImage = img;
  t.backend->setCursor(p, img);
}

void hideTip() {
  Toolkit& t = tk();
  if (t.tipShown) invalidate();
  t.tipShown = false;
  t.tipText.clear();
}

void trackHover(Control* c, int64_t when) {
  Toolkit& t = tk();
  if (c != t.hover) {
    t.hover = c;
    t.hoverConsumed = false;
    hideTip();
  } else if (t.tipShown && c && c->ToolTipText != t.tipText) {
    // A move handler changed the text: show the new one where the pointer is now.
    t.tipText = c->ToolTipText;
    t.tipX = t.mouseX;
    t.tipY = t.mouseY;
    if (t.tipText.empty()) t.tipShown = false;
    invalidate();
  }
  if (!t.tipShown) t.hoverSince = when;
}

// A tooltip waits for its delay to show (-1: none waits).
int64_t tipDue() {
  Toolkit& t = tk();
  if (t.tipShown || !t.hover || t.hoverConsumed || t.dragging) return -1;
  if (t.hover->ToolTipText.empty() || !t.hover->effectivelyVisible()) return -1;
  return t.hoverSince + msToTicks(kToolTipDelayMs);
}

void tickTip() {
  Toolkit& t = tk();
  int64_t due = tipDue();
  if (due < 0 || nowTicks() < due) return;
  t.tipShown = true;
  t.tipText = t.hover->ToolTipText;
  t.tipX = t.mouseX;
  t.tipY = t.mouseY;
  invalidate();
}

// The earliest moment something needs the pump without an event: a changed frame that the
// pacing of presents held back, or a tooltip whose delay runs out. -1 when nothing is due.
int64_t nextDue() {
  Toolkit& t = tk();
  int64_t due = tipDue();
  if (t.presenting && anythingChanged()) {
    int64_t frame = t.lastPresent + msToTicks(kPresentIntervalMs);
    due = due < 0 ? frame : std::min(due, frame);
  }
  return due;
}

// ---- dispatch --------------------------------------------------------------------------

void local(Control* c, int& x, int& y) {
  gfx::Rect r = c->frameRect();
  x = tk().mouseX - r.left;
  y = tk().mouseY - r.top;
}

// Where a pointer event goes: the control holding the capture, else the one under the pointer.
// While input is off, a capture nobody hears from (taken by hovering before) does not keep the
// kept control, the way out, from its press.
Control* pointerTarget(Control* under) {
  Toolkit& t = tk();
  if (t.capture && !acceptsInput(t.capture) && acceptsInput(under)) return under;
  return t.capture ? t.capture : under;
}

void dispatchMouse(const Event& e) {
  Toolkit& t = tk();
  t.mouseX = e.x;
  t.mouseY = e.y;
  t.screenX = e.screenX;
  t.screenY = e.screenY;
  t.shift = e.shift;
  Control* under = controlAt(e.x, e.y);
  int64_t when = e.time ? e.time : nowTicks();

  if (e.type == Event::Type::MouseMove) {
    // A release the window never saw (the button let go outside it) must not leave the
    // buttons held and the press's capture in place.
    if (e.held >= 0 && (t.buttons & ~e.held)) {
      t.buttons &= e.held;
      t.pressed = nullptr;
      if (t.buttons == 0 && t.capture && t.captureImplicit) releaseCapture();
    }
    Control* target = pointerTarget(under);
    updateCursor(target);
    trackHover(under, when);
    if (!acceptsInput(target)) return;
    int x, y;
    local(target, x, y);
    target->handleMouseMove(t.buttons, e.shift, x, y);
    // The handler may have set the text the tooltip shows.
    if (t.hover == under) trackHover(under, when);
    return;
  }

  if (e.type == Event::Type::MouseDown) {
    t.buttons |= e.button;
    t.hoverConsumed = true;
    hideTip();
    Control* target = pointerTarget(under);
    if (!acceptsInput(target)) return;
    if (!t.capture) {
      t.capture = target;
      t.captureImplicit = true;
      if (t.backend) t.backend->captureMouse(true);
    }
    if (target->canFocus() && target->TabStop) target->setFocus();
    int x, y;
    local(target, x, y);
    bool dbl = e.button == kLeftButton && t.lastClick == target && target->acceptsDoubleClick() &&
               when - t.lastClickTime <= msToTicks(kDoubleClickMs) &&
               std::abs(e.x - t.lastClickX) <= kDoubleClickDistance &&
               std::abs(e.y - t.lastClickY) <= kDoubleClickDistance;
    // Every state change comes before the handler: it may pump for a long time.
    if (e.button == kLeftButton) {
      t.pressed = dbl ? nullptr : target;
      t.lastClick = nullptr;
    }
    if (dbl)
      target->handleDblClick();
    else
      target->handleMouseDown(e.button, e.shift, x, y);
    return;
  }

  // MouseUp
  t.buttons &= ~e.button;
  Control* target = pointerTarget(under);
  if (t.capture && t.captureImplicit && t.buttons == 0) releaseCapture();
  bool click = false;
  if (e.button == kLeftButton) {
    click = t.pressed && t.pressed == target;
    t.pressed = nullptr;
  }
  if (!acceptsInput(target)) return;
  int x, y;
  local(target, x, y);
  click = click && target->hitLocal(x, y);
  if (click) {
    t.lastClick = target;
    t.lastClickTime = when;
    t.lastClickX = e.x;
    t.lastClickY = e.y;
  }
  target->handleMouseUp(e.button, e.shift, x, y);
  if (click) target->handleClick();
}

Control* focusTarget(Window* w) {
  Control* f = w->activeControl();
  if (f && (!f->effectivelyVisible() || !f->effectivelyEnabled())) return nullptr;
  return f;
}

void focusNext(Window* w, bool back) {
  const auto& all = w->controls();
  if (all.empty()) return;
  int n = static_cast<int>(all.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (all[static_cast<size_t>(i)].get() == w->activeControl()) at = i;
  for (int k = 1; k <= n; ++k) {
    int i = ((at < 0 ? (back ? n : -1) : at) + (back ? -k : k) + 2 * n) % n;
    Control* c = all[static_cast<size_t>(i)].get();
    if (c->canFocus() && c->TabStop && c->effectivelyVisible() && c->effectivelyEnabled()) {
      c->setFocus();
      return;
    }
  }
}

void keyPress(Window* w, Control* f, int& ascii) {
  if (w->KeyPreview) {
    w->handleKeyPress(ascii);
    if (ascii == 0) return;
  }
  if (f)
    f->handleKeyPress(ascii);
  else if (!w->KeyPreview)
    w->handleKeyPress(ascii);
}

// The character a key types for controls that take no text input.
int asciiOf(int key, int shift) {
  if (key >= 'A' && key <= 'Z') return (shift & kShiftMask) ? key : key + 32;
  if (key >= '0' && key <= '9') return key;
  if (key >= kVkNumpad0 && key <= kVkNumpad0 + 9) return '0' + key - kVkNumpad0;
  if (key == kVkSpace || key == kVkReturn || key == kVkEscape || key == kVkBack) return key;
  return 0;
}

void dispatchKey(const Event& e) {
  Toolkit& t = tk();
  t.shift = e.shift;
  if (e.key >= 0 && e.key < 256) t.held[static_cast<size_t>(e.key)] = e.type == Event::Type::KeyDown;
  Window* w = activeWindow();
  bool down = e.type == Event::Type::KeyDown;
  if (!w) return;
  int key = e.key;
  if (!w->inputEnabled() && !(down && key != 0 && key == w->keptKey())) {
    // Input switched off drops presses (but the kept key's); the window itself still hears a release, so that its
    // key handler's repeat guard does not take the next press of that key for a repeat.
    // Controls hear nothing: a release could finish a press as a click.
    if (!down) w->handleKeyUp(key, e.shift);
    return;
  }
  Control* f = focusTarget(w);
  auto run = [&](Control* c) { down ? c->handleKeyDown(key, e.shift) : c->handleKeyUp(key, e.shift); };
  if (w->KeyPreview) run(w);
  if (key == 0) return;
  if (f)
    run(f);
  else if (!w->KeyPreview)
    run(w);
  if (key == 0 || !down) return;
  if (key == kVkTab) {
    focusNext(w, e.shift & kShiftMask);
    return;
  }
  if (f && f->wantsTextInput() && key != kVkReturn && key != kVkEscape && key != kVkBack) return;
  int ascii = asciiOf(key, e.shift);
  if (ascii && !(f && f->wantsTextInput() && ascii != kVkReturn && ascii != kVkEscape && ascii != kVkBack)) {
    keyPress(w, f, ascii);
    if (ascii == 0) return;
  }
  if (key == kVkReturn && w->defaultButton && !(f && f->takesEnter()) && w->defaultButton->effectivelyVisible() &&
      w->defaultButton->effectivelyEnabled())
    w->defaultButton->handleClick();
  else if (key == kVkEscape && w->cancelButton && w->cancelButton->effectivelyVisible() &&
           w->cancelButton->effectivelyEnabled())
    w->cancelButton->handleClick();
}

void dispatchText(const Event& e) {
  Window* w = activeWindow();
  if (!w || !w->inputEnabled()) return;
  Control* f = focusTarget(w);
  if (!f || !f->wantsTextInput()) return;
  if (e.type == Event::Type::TextEditing) {
    f->handleTextEditing(e.text, e.editCursor);
    return;
  }
  // Typed ASCII passes through KeyPress, which may change or swallow it.
  std::string pending;
  for (unsigned char ch : e.text) {
    if (ch < 0x80) {
      if (!pending.empty()) {
        f->handleText(pending);
        pending.clear();
      }
      int ascii = ch;
      keyPress(w, f, ascii);
      if (ascii > 0 && ascii < 0x80 && ascii >= 32) f->handleText(std::string(1, static_cast<char>(ascii)));
    } else {
      pending.push_back(static_cast<char>(ch));
    }
  }
  if (!pending.empty()) f->handleText(pending);
}

void dispatch(const Event& e) {
  Toolkit& t = tk();
  switch (e.type) {
    case Event::Type::MouseMove:
    case Event::Type::MouseDown:
    case Event::Type::MouseUp: dispatchMouse(e); break;
    case Event::Type::KeyDown:
    case Event::Type::KeyUp: dispatchKey(e); break;
    case Event::Type::MouseWheel: {
      Control* c = controlAt(e.x, e.y);
      if (acceptsInput(c)) c->handleWheel(e.wheel);
      break;
    }
    case Event::Type::TextInput:
    case Event::Type::TextEditing: dispatchText(e); break;
    case Event::Type::Quit:
      t.quit = true;
      if (t.main && t.main->QueryUnload) t.main->QueryUnload();
      break;
    case Event::Type::Leave:
      // Nothing is hovered any more; a control holding the capture still follows the pointer.
      t.hover = nullptr;
      hideTip();
      break;
    case Event::Type::Minimized: break;
    case Event::Type::Restored:
    case Event::Type::Exposed: t.dirty = true; break;
  }
}

// The next event for a pump: those a timed wait took come before the backend's.
bool takeEvent(Event& e) {
  Toolkit& t = tk();
  if (t.taken.empty()) return t.backend && t.backend->poll(e);
  e = std::move(t.taken.front());
  t.taken.pop_front();
  return true;
}

bool drain() {
  Toolkit& t = tk();
  bool any = false;
  Event e;
  // Asked before each event: the interrupting event may be the one a wait woke on, dispatched
  // just before this drain.
  while (!t.pumpInterrupted && takeEvent(e)) {
    any = true;
    dispatch(e);
  }
  t.pumpInterrupted = false;
  return any;
}

}  // namespace

// ---- Toolkit bookkeeping ---------------------------------------------------------------

void Toolkit::forget(const Control* c) {
  if (capture == c) {
    capture = nullptr;
    if (backend) backend->captureMouse(false);
  }
  if (pressed == c) pressed = nullptr;
  if (lastClick == c) lastClick = nullptr;
  if (hover == c) {
    hover = nullptr;
    tipShown = false;
  }
  if (textTarget == c) {
    textTarget = nullptr;
    if (backend) backend->stopTextInput();
  }
}

void Toolkit::forgetWindow(Window* w) {
  windows.erase(std::remove(windows.begin(), windows.end(), w), windows.end());
  stack.erase(std::remove(stack.begin(), stack.end(), w), stack.end());
  modal.erase(std::remove(modal.begin(), modal.end(), w), modal.end());
  if (main == w) main = nullptr;
  dirty = true;
}

void Toolkit::raise(Window* w) {
  if (w->isMain()) return;
  stack.erase(std::remove(stack.begin(), stack.end(), w), stack.end());
  stack.push_back(w);
  dirty = true;
}

void Toolkit::updateTextInput() {
  Window* w = activeWindow();
  Control* f = w ? w->activeControl() : nullptr;
  if (f && !f->wantsTextInput()) f = nullptr;
  if (f == textTarget) return;
  textTarget = f;
  if (!backend) return;
  if (f)
    backend->startTextInput(f->frameRect());
  else
    backend->stopTextInput();
}

// ---- public API ------------------------------------------------------------------------

void init(std::unique_ptr<Backend> b) {
  Toolkit& t = tk();
  t.backend = std::move(b);
  t.cursor = -1;
  t.cursorImage = nullptr;
  t.textTarget = nullptr;
  t.dirty = true;
  t.presentedOnce = false;
  t.taken.clear();
  if (t.backend && t.main) {
    t.backend->setCaption(t.main->caption());
    if (t.main->visible()) t.backend->showWindow(true);
  }
}

void shutdown() {
  Toolkit& t = tk();
  t.backend.reset();
  t.capture = nullptr;
  t.buttons = 0;
  t.held.fill(false);
  t.pressed = t.lastClick = t.hover = nullptr;
  t.tipShown = false;
  t.quit = false;
  t.presenting = true;
  t.pacing = true;
  t.pumpInterrupted = false;
  t.taken.clear();
}

bool hasBackend() { return tk().backend != nullptr; }
Backend& backend() { return *tk().backend; }

void DoEvents() {
  drain();
  tickTip();
  Present();
}

void DoEventsWait(int maxWaitMs) {
  Toolkit& t = tk();
  if (!drain() && t.backend) {
    int waitMs = maxWaitMs;
    if (int64_t due = nextDue(); due >= 0) {
      // Rounded up: waking a moment early would only find it not due yet.
      int64_t tick = msToTicks(1);
      int dueMs = static_cast<int>((std::max<int64_t>(0, due - nowTicks()) + tick - 1) / tick);
      waitMs = waitMs < 0 ? dueMs : std::min(waitMs, dueMs);
    }
    Event e;
    if (t.backend->wait(e, waitMs)) {
      dispatch(e);
      drain();
    }
  }
  tickTip();
  Present();
}

void invalidate() { tk().dirty = true; }

void setPresenting(bool on) { tk().presenting = on; }
int64_t framesPresented() { return tk().framesPresented; }
bool presenting() { return tk().presenting; }
void setPacing(bool on) { tk().pacing = on; }
bool pacing() { return tk().pacing; }

void interruptPump() { tk().pumpInterrupted = true; }

std::string toolTipShown() {
  Toolkit& t = tk();
  return t.tipShown ? t.tipText : "";
}

void Present(bool force) {
  Toolkit& t = tk();
  if (!t.backend || !t.presenting) return;
  if (t.main && t.main->visible() && t.backend->minimized() && !force) return;
  int64_t now = nowTicks();
  if (!force && t.presentedOnce && now - t.lastPresent < msToTicks(kPresentIntervalMs)) return;
  if (!anythingChanged() && t.presentedOnce) return;
  compose();
  t.backend->present(t.frame);
  ++t.framesPresented;
  t.lastPresent = now;
  t.presentCost = nowTicks() - now;
  t.presentedOnce = true;
}

void PresentForWait(int64_t deadline) {
  Toolkit& t = tk();
  if (!t.backend || !t.presenting || !anythingChanged()) return;
  int64_t now = nowTicks();
  int64_t due = t.presentedOnce ? t.lastPresent + msToTicks(kPresentIntervalMs) : now;
  int64_t at = std::max(now, due);
  // A present that would overrun the wait is left for a later one, unless the screen has
  // not changed for a whole frame of a 60 Hz display.
  bool stale = now - t.lastPresent >= msToTicks(16);
  if (deadline - at < t.presentCost && !stale) return;
  if (at > now) {
    if (deadline <= at) return;
    sys::clock().waitUntil(at);
  }
  Present();
}

void WatchUntil(int64_t deadline, const std::function<void()>& arrived) {
  Toolkit& t = tk();
  if (!t.backend) return;
  // The clock's own wait ends the sleep exactly; the window's wait may wake a little late.
  constexpr int kGuardMs = 4, kLookEveryMs = 4;
  const bool sleeps = sys::clockIsReal();
  for (;;) {
    const int64_t now = nowTicks();
    const int64_t sleepMs = sleeps ? std::min<int64_t>((deadline - now) / msToTicks(1) - kGuardMs, 60'000) : 0;
    // Stretches of short waits look at the window now and then, not at every wait.
    if (sleepMs <= 0 && now >= t.lastLook && now - t.lastLook < msToTicks(kLookEveryMs)) return;
    t.lastLook = now;
    const size_t before = t.taken.size();
    Event e;
    if (sleepMs > 0 ? t.backend->wait(e, static_cast<int>(sleepMs)) : t.backend->poll(e)) {
      t.taken.push_back(std::move(e));
      while (t.backend->poll(e)) t.taken.push_back(std::move(e));
    }
    if (t.taken.size() == before) return;
    arrived();
    if (sleepMs <= 0) return;
  }
}

bool pressQueued(const Control* control, int key) {
  Toolkit& t = tk();
  for (const Event& e : t.taken) {
    const bool mouse = e.type == Event::Type::MouseDown || e.type == Event::Type::MouseUp;
    // Where the pointer is, not where a capture taken by an earlier event may send it: the
    // events before this one have not been handled yet.
    if (mouse && control && controlAt(e.x, e.y) == control) return true;
    if (e.type == Event::Type::KeyDown && key != 0 && e.key == key &&
        (!control || activeWindow() == &control->window()))
      return true;
  }
  return false;
}

const gfx::Surface& frame() { return tk().frame; }

Window* mainWindow() { return tk().main; }

bool isMinimized() {
  Toolkit& t = tk();
  return t.backend && t.backend->minimized();
}

bool quitRequested() { return tk().quit; }
void clearQuitRequest() { tk().quit = false; }

Control* captureControl() { return tk().capture; }

void releaseCapture() {
  Toolkit& t = tk();
  if (!t.capture) return;
  t.capture = nullptr;
  t.captureImplicit = false;
  if (t.backend) t.backend->captureMouse(false);
}

Window* activeWindow() {
  Toolkit& t = tk();
  // A modal window that was just closed still ends its loop; input goes past it already.
  for (auto it = t.modal.rbegin(); it != t.modal.rend(); ++it)
    if ((*it)->visible()) return *it;
  return t.main;
}

bool keyHeld(int vk) { return vk >= 0 && vk < 256 && tk().held[static_cast<size_t>(vk)]; }
int mouseButtons() { return tk().buttons; }
int shiftState() { return tk().shift; }

void DragControl(Control& c) {
  Toolkit& t = tk();
  releaseCapture();
  if (!t.backend || t.buttons == 0) return;
  bool isMainWin = &c == t.main;
  gfx::Rect start = isMainWin ? t.backend->windowRect() : c.rect();
  // A control follows the pointer in the window's own pixels: the screen's position of a queued
  // event is where the pointer is now, not where it was, and full screen scales the window.
  int sx = isMainWin ? t.screenX : t.mouseX, sy = isMainWin ? t.screenY : t.mouseY;
  t.backend->captureMouse(true);
  t.dragging = true;
  hideTip();
  auto place = [&](int x, int y) {
    if (isMainWin)
      t.main->moveWindow(x, y);
    else
      c.move(x, y);
  };
  while (t.buttons != 0) {
    Event e;
    if (!takeEvent(e) && !t.backend->wait(e, 5)) {
      // A release the window never saw (outside it, without capture) still ends the drag.
      int px, py, held;
      t.backend->pointerState(px, py, held);
      if (held == 0) t.buttons = 0;
      Present();
      continue;
    }
    if (e.type == Event::Type::MouseMove || e.type == Event::Type::MouseDown || e.type == Event::Type::MouseUp) {
      t.mouseX = e.x;
      t.mouseY = e.y;
      t.screenX = e.screenX;
      t.screenY = e.screenY;
      if (e.type == Event::Type::MouseDown) t.buttons |= e.button;
      if (e.type == Event::Type::MouseUp) t.buttons &= ~e.button;
      if (e.type == Event::Type::MouseMove && e.held >= 0) t.buttons &= e.held;
      if (isMainWin)
        place(start.left + e.screenX - sx, start.top + e.screenY - sy);
      else
        place(start.left + e.x - sx, start.top + e.y - sy);
    } else if (e.type == Event::Type::KeyDown || e.type == Event::Type::KeyUp) {
      if (e.key >= 0 && e.key < 256) t.held[static_cast<size_t>(e.key)] = e.type == Event::Type::KeyDown;
      if (e.type == Event::Type::KeyDown && e.key == kVkEscape) {
        place(start.left, start.top);
        t.buttons = 0;
      }
    } else if (e.type == Event::Type::Quit) {
      t.quit = true;
    } else if (e.type == Event::Type::Restored || e.type == Event::Type::Exposed) {
      t.dirty = true;
    }
    Present();
  }
  t.dragging = false;
  t.pressed = nullptr;
  t.backend->captureMouse(false);
  Present(true);
}

}  // namespace ui
