#include "ui/window.h"

#include <algorithm>

#include "ui/detail.h"
#include "ui/toolkit.h"

namespace ui {

Window::Window(std::string name, bool main) : Control(this, std::move(name)), main_(main) {
  Toolkit& t = tk();
  if (main && !t.main) {
    t.main = this;
    move(0, 0, 800, 600);
  } else {
    main_ = false;
    move(0, 0, 320, 240);
  }
  setVisibleFlag(false);
  t.windows.push_back(this);
}

Window::~Window() {
  // Controls go first, while the window they point to still exists.
  while (!owned_.empty()) owned_.pop_back();
  tk().forgetWindow(this);
}

void Window::adopt(std::unique_ptr<Control> c, Control* container) {
  Control* raw = c.get();
  owned_.push_back(std::move(c));
  raw->parent_ = this;
  children_.push_back(raw);
  if (container) raw->setContainer(container);
  invalidate();
}

void Window::setCaption(std::string c) {
  caption_ = std::move(c);
  if (main_ && hasBackend()) backend().setCaption(caption_);
}

void Window::show() {
  Toolkit& t = tk();
  setVisibleFlag(true);
  if (main_) {
    if (t.backend) t.backend->showWindow(true);
  } else {
    t.raise(this);
  }
  invalidate();
}

void Window::hide() {
  Toolkit& t = tk();
  if (t.capture && &t.capture->window() == this) ui::releaseCapture();
  setVisibleFlag(false);
  if (main_) {
    if (t.backend) t.backend->showWindow(false);
  } else {
    t.stack.erase(std::remove(t.stack.begin(), t.stack.end(), this), t.stack.end());
  }
  t.updateTextInput();
  invalidate();
}

void Window::showModal() {
  Toolkit& t = tk();
  show();
  ui::releaseCapture();
  ++modalDepth_;
  t.modal.push_back(this);
  t.updateTextInput();
  // Without a backend no input can ever close the window.
  while (visible() && t.backend) DoEventsWait();
  auto it = std::find(t.modal.rbegin(), t.modal.rend(), this);
  if (it != t.modal.rend()) t.modal.erase(std::next(it).base());
  --modalDepth_;
  if (visible()) hide();
  t.updateTextInput();
}

void Window::minimize() {
  if (main_ && hasBackend()) backend().minimize();
}

bool Window::minimized() const { return main_ && hasBackend() && tk().backend->minimized(); }

void Window::moveWindow(int left, int top) {
  if (main_ && hasBackend()) backend().moveWindow(left, top);
  move(left, top);
}

void Window::paint(Canvas& c) { c.fill({0, 0, width(), height()}, backColor()); }

}  // namespace ui
