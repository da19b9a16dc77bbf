// One input event as a backend delivers it to the event pump.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

struct Event {
  enum class Type {
    MouseMove,
    MouseDown,
    MouseUp,
    MouseWheel,  // wheel > 0: away from the user
    KeyDown,
    KeyUp,
    TextInput,    // committed text (typed characters or an input method's result), UTF-8
    TextEditing,  // an input method's composition in progress
    Quit,         // the user asked to close the window
    Minimized,
    Restored,
    Exposed,  // the window's pixels were lost and must be presented again
    Leave,    // the pointer left the window
  };
  Type type = Type::MouseMove;
  int x = 0, y = 0;              // pointer in the main window's client area
  int screenX = 0, screenY = 0;  // pointer on the desktop
  int button = 0;                // MouseDown/MouseUp: the button that changed (kLeftButton ...)
  int held = -1;                 // MouseMove: the buttons held, as the backend knows them (-1: unknown)
  int shift = 0;                 // Shift/Ctrl/Alt mask at the time of the event
  int wheel = 0;                 // MouseWheel: notches
  int key = 0;                   // KeyDown/KeyUp: virtual-key code
  bool repeat = false;           // KeyDown from the keyboard's auto-repeat
  std::string text;              // TextInput, TextEditing
  int editCursor = 0;            // TextEditing: cursor position in characters
  int64_t time = 0;              // sys::clock() reading when the event happened (0: when read)
};

}  // namespace ui
