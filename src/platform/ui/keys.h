// The platform's virtual-key codes, mouse button masks and Shift masks, as the game's
// key and mouse handlers compare them.
#pragma once

namespace ui {

// Mouse buttons, alone or combined as a mask.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Modifier keys, combined as a mask.
enum ShiftMask : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A' = 65, '0' = 48).
enum VirtualKey : int {
  kVkBack = 8,
  kVkTab = 9,
  kVkReturn = 13,
  kVkShift = 16,
  kVkControl = 17,
  kVkMenu = 18,  // Alt
  kVkPause = 19,
  kVkCapital = 20,
  kVkEscape = 27,
  kVkSpace = 32,
  kVkPrior = 33,  // Page Up
  kVkNext = 34,   // Page Down
  kVkEnd = 35,
  kVkHome = 36,
  kVkLeft = 37,
  kVkUp = 38,
  kVkRight = 39,
  kVkDown = 40,
  kVkInsert = 45,
  kVkDelete = 46,
  kVk0 = 48,
  kVkA = 65,
  kVkNumpad0 = 96,
  kVkMultiply = 106,
  kVkAdd = 107,
  kVkSubtract = 109,
  kVkDecimal = 110,
  kVkDivide = 111,
  kVkF1 = 112,
  kVkF4 = 115,
  kVkF12 = 123,
};

// Standard pointer shapes by the platform's MousePointer numbers; kPointerCustom uses the
// control's own icon.
enum MousePointer : int {
  kPointerDefault = 0,
  kPointerArrow = 1,
  kPointerCross = 2,
  kPointerIBeam = 3,
  kPointerIcon = 4,
  kPointerSize = 5,
  kPointerSizeNESW = 6,
  kPointerSizeNS = 7,
  kPointerSizeNWSE = 8,
  kPointerSizeWE = 9,
  kPointerUpArrow = 10,
  kPointerHourglass = 11,
  kPointerNoDrop = 12,
  kPointerArrowHourglass = 13,
  kPointerArrowQuestion = 14,
  kPointerSizeAll = 15,
  kPointerHand = 16,  // the system's pointing hand, used by links and our own fallbacks
  kPointerCustom = 99,
};

}  // namespace ui
