// The message window: every outcome of the game is one markup line that scrolls in from below.
//
//   messageWindow().UcSc = &frmMain.UcSc;   // the main window binds its scroller and renderer
//   messageWindow().UCFt = &frmMain.UCFt;
//   WriteMessage("{1&F00}{2&FF0}勇者{0&}の番{0&}:", true);  // an open line ...
//   WriteMessage("スライムがあらわれた！", false);          // ... completed on the same line
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class UcScroll;
class UCFont;

struct MessageWindow {
  UcScroll* UcSc = nullptr;               // the scroller the lines go into
  UCFont* UCFt = nullptr;                 // the shared renderer
  std::string FontName = "MS UI Gothic";  // the main window's font face
  bool MessageLineOpen = false;
  int32_t MessageLineEndX = 0;  // where the open line's text ended
  // Sees every call before it is drawn (tests and logs read the game's messages here).
  std::function<void(std::string_view text, bool keepOpen)> onWrite;
};

// The one message window of the program; tests reset it with `messageWindow() = {}`.
MessageWindow& messageWindow();

// Writes Text as a new line (scrolled in) or, while a line is open, continues that line.
// KeepOpen leaves the line open for the next call. An empty Text that keeps nothing open only
// closes the line. Returns once the line has scrolled in and is drawn.
void WriteMessage(std::string_view Text, bool KeepOpen);
