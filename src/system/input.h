// The polled input devices: the system keyboard, the first mouse and the first joystick.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct InputState {
  std::array<int32_t, 8> Axes{};  // X, Y, Z, rotation X/Y/Z, slider 1, slider 2: 0..10000
  int32_t Pov = 0;
  int32_t Buttons = 0;  // bit j: joystick button j down
  int32_t MouseX = 0, MouseY = 0, MouseZ = 0;
  int32_t MouseButtons = 0;         // bits 0..3
  std::array<uint8_t, 256> Keys{};  // by DirectInput key code (1 = Escape); non-zero = down
};

// Opens the devices once; a missing device is left out without a word.
void InputInit();
// Fills State from the devices that exist; parts of absent devices keep what they held.
int32_t ReadInputState(InputState& State);
// Closes the devices (test fixtures, the end of the program).
void InputReset();

// "ESCAPE" while the Escape key is held, otherwise "". Asked between the steps of a long
// animation: what the window queued meanwhile is taken off its queue and not acted on, so the
// press that ends the animation does nothing more.
std::string GetEscape();
