// What the toolkit needs from the machine: a window that shows our frame, its input events,
// the pointer, text input and the display modes. `sdl` and `headless` implement it; all the
// toolkit above is the same code for both.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/rect.h"
#include "gfx/surface.h"
#include "ui/event.h"

namespace ui {

struct DisplayMode {
  int width = 0, height = 0, bits = 0;
  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// A cursor picture: pixels equal to `transparent` are see-through.
struct CursorImage {
  gfx::Surface image;
  int hotX = 0, hotY = 0;
  gfx::Color transparent = gfx::kMagenta;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;

  // The main window: its client area is the frame's size.
  virtual void setCaption(const std::string& caption) = 0;
  virtual void showWindow(bool shown) = 0;
  // The client area's place on the desktop.
  virtual gfx::Rect windowRect() const = 0;
  virtual void moveWindow(int x, int y) = 0;
  virtual gfx::Rect desktopRect() const = 0;
  virtual void minimize() = 0;
  virtual bool minimized() const = 0;

  virtual void present(const gfx::Surface& frame) = 0;

  // Next queued event without waiting; false when the queue is empty.
  virtual bool poll(Event& e) = 0;
  // Waits up to timeoutMs (-1: for as long as it takes) for an event; false when none came.
  virtual bool wait(Event& e, int timeoutMs) = 0;

  // pointer: a MousePointer number; custom is used for kPointerCustom (null = arrow).
  virtual void setCursor(int pointer, const CursorImage* custom) = 0;
  // Keeps pointer events coming while a button is held outside the window.
  virtual void captureMouse(bool on) = 0;
  // The pointer on the desktop and the buttons held (mask).
  virtual void pointerState(int& screenX, int& screenY, int& buttons) const = 0;

  // Text entry with an input method; rect (client coordinates) places its candidate window.
  virtual void startTextInput(const gfx::Rect& rect) = 0;
  virtual void stopTextInput() = 0;

  // The desktop's clipboard (text). Backends without one keep it to themselves.
  virtual std::string clipboardText() { return clipboard_; }
  virtual void setClipboardText(const std::string& text) { clipboard_ = text; }

  // The window's icon (pixels of its transparent colour see through); the last one set is kept.
  virtual void setIcon(const CursorImage& icon) { icon_ = icon; }
  const CursorImage& icon() const { return icon_; }

  // Display modes of the screen, the mode stored as the desktop's own, the mode now on.
  virtual std::vector<DisplayMode> displayModes() = 0;
  virtual DisplayMode storedMode() = 0;
  virtual DisplayMode currentMode() = 0;
  // Shows the window full screen in that mode (or a letterboxed full-screen view of it);
  // null goes back to the stored mode and the normal window. False when it could not.
  virtual bool setDisplayMode(const DisplayMode* mode) = 0;

 private:
  std::string clipboard_;
  CursorImage icon_;
};

}  // namespace ui
