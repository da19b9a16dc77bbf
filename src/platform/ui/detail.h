// The toolkit's shared state, for the toolkit's own sources only.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/control.h"
#include "ui/window.h"

namespace ui {

struct Toolkit {
  std::unique_ptr<Backend> backend;
  std::vector<Window*> windows;  // creation order
  std::vector<Window*> stack;    // shown windows other than the main one, bottom to top
  std::vector<Window*> modal;    // innermost last
  Window* main = nullptr;

  gfx::Surface frame{800, 600};
  bool dirty = true;
  int64_t lastPresent = 0;
  int64_t presentCost = 0;  // how long the last compose and present took
  bool presentedOnce = false;
  bool presenting = true;
  int64_t framesPresented = 0;
  bool pacing = true;
  // Interrupts the innermost drain after the handler running now.
  bool pumpInterrupted = false;
  // Events a timed wait took from the backend: the next pump handles them before anything newer.
  std::deque<Event> taken;
  int64_t lastLook = 0;  // when a timed wait last looked at the window

  Control* capture = nullptr;
  bool captureImplicit = false;

  int mouseX = 0, mouseY = 0, screenX = 0, screenY = 0;
  int buttons = 0;
  int shift = 0;
  std::array<bool, 256> held{};

  // Click and double-click tracking.
  Control* pressed = nullptr;  // got the left press that a release inside turns into a click
  Control* lastClick = nullptr;
  int64_t lastClickTime = 0;
  int lastClickX = 0, lastClickY = 0;

  // Tooltip.
  Control* hover = nullptr;
  int64_t hoverSince = 0;
  bool hoverConsumed = false;  // a press hides the tip until the pointer moves to another control
  bool tipShown = false;
  std::string tipText;
  int tipX = 0, tipY = 0;

  int cursor = -1;
  const CursorImage* cursorImage = nullptr;
  Control* textTarget = nullptr;
  bool quit = false;
  bool dragging = false;

  void forget(const Control* c);
  void forgetWindow(Window* w);
  void raise(Window* w);
  void updateTextInput();
};

Toolkit& tk();
int64_t nowTicks();
int64_t msToTicks(int ms);

}  // namespace ui
