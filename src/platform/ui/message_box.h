// The modal message box, drawn inside the main window in the Japanese UI font: a title bar,
// an icon, the text and its buttons. Keyboard: Enter presses the focused button, Tab and the
// arrow keys move between the buttons, Y / N answer はい / いいえ, Escape cancels where a box
// has a way to (OK alone, or a キャンセル button).
#pragma once

#include <string>

namespace ui {

// Buttons, icon and default button, added together as on the platform.
enum MsgBoxStyle : int {
  kMbOkOnly = 0,
  kMbOkCancel = 1,
  kMbYesNoCancel = 3,
  kMbYesNo = 4,
  kMbCritical = 16,
  kMbQuestion = 32,
  kMbExclamation = 48,
  kMbInformation = 64,
  kMbDefaultButton2 = 256,
  kMbDefaultButton3 = 512,
};

enum MsgBoxResult : int { kMbOk = 1, kMbCancel = 2, kMbYes = 6, kMbNo = 7 };

// Shows the box and pumps until it is answered. An empty title shows the main window's caption.
// With no backend there is nobody to ask: the answer is that of Escape (or No). While it is
// open the box is the active window, with the title as its caption and the text as its Tag.
int MsgBox(const std::string& text, int style = kMbOkOnly, const std::string& title = "");

}  // namespace ui
