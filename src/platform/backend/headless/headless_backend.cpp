#include "backend/headless/headless_backend.h"

#include <chrono>
#include <thread>

#include "gfx/image.h"
#include "sys/clock.h"

namespace ui {

HeadlessBackend::HeadlessBackend() {
  // A desktop that offers the game's mode, as most screens of the game's era did.
  modes_ = {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}, {640, 480, 32}, {800, 600, 32}, {1024, 768, 32}};
}

void HeadlessBackend::minimize() {
  if (minimized_) return;
  minimized_ = true;
  Event e;
  e.type = Event::Type::Minimized;
  push(e);
}

void HeadlessBackend::restore() {
  minimized_ = false;
  Event e;
  e.type = Event::Type::Restored;
  push(e);
}

void HeadlessBackend::present(const gfx::Surface& frame) {
  frame_ = frame;
  ++presents_;
  if (onPresent) onPresent(frame_);
}

bool HeadlessBackend::poll(Event& e) {
  if (queue_.empty()) return false;
  e = std::move(queue_.front());
  queue_.pop_front();
  if (e.type == Event::Type::MouseMove || e.type == Event::Type::MouseDown || e.type == Event::Type::MouseUp) {
    seenX_ = e.screenX;
    seenY_ = e.screenY;
    if (e.type == Event::Type::MouseDown) seenButtons_ |= e.button;
    if (e.type == Event::Type::MouseUp) seenButtons_ &= ~e.button;
  }
  return true;
}

bool HeadlessBackend::wait(Event& e, int timeoutMs) {
  if (queue_.empty() && onIdle) onIdle();
  if (poll(e)) return true;
  lastWaitMs_ = timeoutMs;
  // Nothing but onIdle ever fills the queue here: a wait without an end passes a short while,
  // so a loop waiting for a test's answer asks onIdle again.
  if (timeoutMs < 0) timeoutMs = 10;
  sys::Clock& c = sys::clock();
  if (sys::clockIsReal()) {
    // Nothing can arrive before the timeout: sleep it through instead of the clock's exact
    // (spinning) wait, so an idle loop costs no CPU.
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
  } else {
    c.waitUntil(c.now() + c.frequency() / 1000 * timeoutMs);
  }
  return poll(e);
}

void HeadlessBackend::setCursor(int pointer, const CursorImage* custom) {
  cursor_ = pointer;
  custom_ = custom;
}

void HeadlessBackend::pointerState(int& screenX, int& screenY, int& buttons) const {
  screenX = seenX_;
  screenY = seenY_;
  buttons = seenButtons_;
}

bool HeadlessBackend::setDisplayMode(const DisplayMode* mode) {
  if (!mode) {
    current_ = stored_;
    fullScreen_ = false;
    return true;
  }
  for (const auto& m : modes_)
    if (m == *mode) {
      current_ = m;
      fullScreen_ = true;
      return true;
    }
  return false;
}

void HeadlessBackend::setModes(std::vector<DisplayMode> modes, DisplayMode stored) {
  modes_ = std::move(modes);
  stored_ = current_ = stored;
}

Event HeadlessBackend::pointerEvent(Event::Type type, int x, int y, int button) {
  Event e;
  e.type = type;
  e.x = x;
  e.y = y;
  e.screenX = window_.left + x;
  e.screenY = window_.top + y;
  e.button = button;
  e.shift = shift_;
  return e;
}

void HeadlessBackend::push(Event e) {
  if (!e.time) e.time = sys::clock().now();
  queue_.push_back(std::move(e));
}

void HeadlessBackend::mouseMove(int x, int y) {
  Event e = pointerEvent(Event::Type::MouseMove, x, y, 0);
  e.held = buttons_;
  push(e);
}

void HeadlessBackend::releaseUnseen(int button) { buttons_ &= ~button; }

void HeadlessBackend::mouseDown(int x, int y, int button) {
  buttons_ |= button;
  push(pointerEvent(Event::Type::MouseDown, x, y, button));
}

void HeadlessBackend::mouseUp(int x, int y, int button) {
  buttons_ &= ~button;
  push(pointerEvent(Event::Type::MouseUp, x, y, button));
}

void HeadlessBackend::click(int x, int y, int button) {
  mouseMove(x, y);
  mouseDown(x, y, button);
  mouseUp(x, y, button);
}

void HeadlessBackend::wheel(int x, int y, int notches) {
  Event e = pointerEvent(Event::Type::MouseWheel, x, y, 0);
  e.wheel = notches;
  push(e);
}

void HeadlessBackend::keyDown(int vk, bool repeat) {
  Event e;
  e.type = Event::Type::KeyDown;
  e.key = vk;
  e.repeat = repeat;
  e.shift = shift_;
  push(e);
}

void HeadlessBackend::keyUp(int vk) {
  Event e;
  e.type = Event::Type::KeyUp;
  e.key = vk;
  e.shift = shift_;
  push(e);
}

void HeadlessBackend::key(int vk) {
  keyDown(vk);
  keyUp(vk);
}

void HeadlessBackend::text(const std::string& utf8) {
  Event e;
  e.type = Event::Type::TextInput;
  e.text = utf8;
  push(e);
}

void HeadlessBackend::editing(const std::string& utf8, int cursor) {
  Event e;
  e.type = Event::Type::TextEditing;
  e.text = utf8;
  e.editCursor = cursor;
  push(e);
}

void HeadlessBackend::leave() {
  Event e;
  e.type = Event::Type::Leave;
  push(e);
}

void HeadlessBackend::quit() {
  Event e;
  e.type = Event::Type::Quit;
  push(e);
}

bool HeadlessBackend::savePng(const std::string& path) const { return gfx::savePng(path, frame_); }

}  // namespace ui
