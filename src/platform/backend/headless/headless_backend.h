// The in-memory backend: no window system at all. Tests inject input as events and read the
// presented frame as pixels (or dump it to a PNG while debugging).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/backend.h"

namespace ui {

class HeadlessBackend final : public Backend {
 public:
  HeadlessBackend();
  const char* name() const override { return "headless"; }

  void setCaption(const std::string& caption) override { caption_ = caption; }
  void showWindow(bool shown) override { shown_ = shown; }
  gfx::Rect windowRect() const override { return window_; }
  void moveWindow(int x, int y) override { window_ = gfx::Rect::xywh(x, y, window_.width(), window_.height()); }
  gfx::Rect desktopRect() const override { return desktop_; }
  void minimize() override;
  bool minimized() const override { return minimized_; }
  void present(const gfx::Surface& frame) override;

  bool poll(Event& e) override;
  bool wait(Event& e, int timeoutMs) override;

  void setCursor(int pointer, const CursorImage* custom) override;
  void captureMouse(bool on) override { captured_ = on; }
  void pointerState(int& screenX, int& screenY, int& buttons) const override;
  void startTextInput(const gfx::Rect& rect) override {
    textInput_ = true;
    textRect_ = rect;
  }
  void stopTextInput() override { textInput_ = false; }

  std::vector<DisplayMode> displayModes() override { return modes_; }
  DisplayMode storedMode() override { return stored_; }
  DisplayMode currentMode() override { return current_; }
  bool setDisplayMode(const DisplayMode* mode) override;

  // ---- for tests ----
  // Input, queued in order; coordinates are in the window's client area.
  void mouseMove(int x, int y);
  void mouseDown(int x, int y, int button = 1);
  void mouseUp(int x, int y, int button = 1);
  // The button is let go where the window does not see it (no event).
  void releaseUnseen(int button = 1);
  // Move, press and release at one point.
  void click(int x, int y, int button = 1);
  void wheel(int x, int y, int notches);
  void keyDown(int vk, bool repeat = false);
  void keyUp(int vk);
  // Down and up.
  void key(int vk);
  void text(const std::string& utf8);
  void editing(const std::string& utf8, int cursor);
  void quit();
  void leave();
  void restore();
  // Sets the Shift/Ctrl/Alt mask carried by the following events.
  void setShift(int mask) { shift_ = mask; }
  void push(Event e);
  size_t queued() const { return queue_.size(); }

  // Runs when a wait finds the queue empty: lets a test answer a modal loop.
  std::function<void()> onIdle;
  // Sees every presented frame.
  std::function<void(const gfx::Surface&)> onPresent;

  // The timeout of the last wait that found nothing queued (-1: without an end).
  int lastWaitMs() const { return lastWaitMs_; }
  const gfx::Surface& lastFrame() const { return frame_; }
  int presentCount() const { return presents_; }
  bool savePng(const std::string& path) const;

  const std::string& caption() const { return caption_; }
  bool shown() const { return shown_; }
  int cursor() const { return cursor_; }
  const CursorImage* customCursor() const { return custom_; }
  bool captured() const { return captured_; }
  bool textInputOn() const { return textInput_; }
  const gfx::Rect& textInputRect() const { return textRect_; }
  bool fullScreen() const { return fullScreen_; }
  void setDesktop(const gfx::Rect& r) { desktop_ = r; }
  void setModes(std::vector<DisplayMode> modes, DisplayMode stored);

 private:
  Event pointerEvent(Event::Type type, int x, int y, int button);
  std::deque<Event> queue_;
  int lastWaitMs_ = 0;
  gfx::Surface frame_;
  int presents_ = 0;
  std::string caption_;
  bool shown_ = false;
  bool minimized_ = false;
  gfx::Rect desktop_{0, 0, 1024, 768};
  gfx::Rect window_{112, 84, 912, 684};
  int cursor_ = 0;
  const CursorImage* custom_ = nullptr;
  bool captured_ = false;
  bool textInput_ = false;
  gfx::Rect textRect_;
  int shift_ = 0;
  int buttons_ = 0;      // as injected
  int seenButtons_ = 0;  // as delivered
  int seenX_ = 0, seenY_ = 0;
  std::vector<DisplayMode> modes_;
  DisplayMode stored_{1024, 768, 32};
  DisplayMode current_{1024, 768, 32};
  bool fullScreen_ = false;
};

}  // namespace ui
