// Polled input devices: the keyboard by DirectInput key code, the mouse's relative movement
// and buttons, and the first joystick shaped the way the game expects (axes 0..10000).
#pragma once

#include <array>
#include <cstdint>

struct _SDL_Joystick;

namespace media {

// The SDL scancode of a DirectInput key code (0 when the code names no key).
int scancodeOfKeyCode(int keyCode);

// The window system's virtual-key code of a DirectInput key code (0 when it has none): the
// window's own view of the keyboard backs up the polled one.
int virtualKeyOfKeyCode(int keyCode);

struct JoystickReading {
  std::array<int32_t, 8> axes{};  // X, Y, Z, rotation X/Y/Z, two sliders; 0..10000
  std::array<bool, 8> hasAxis{};
  int32_t pov = 0;       // sum of the hats: hundredths of a degree clockwise from up, -1 centred
  uint32_t buttons = 0;  // bit j: button j down
};

struct MouseReading {
  int32_t dx = 0, dy = 0, dz = 0;  // since the last reading; the wheel in notches of 120
  uint32_t buttons = 0;            // bit 0 left, 1 right, 2 middle, 3 first extra
};

// A raw SDL axis value (-32768..32767) on the 0..10000 scale. With shaping, values within
// `deadZone` of the centre read as the centre and from `saturation` on as the end (both in
// hundredths of a percent of the half range), stretched linearly in between.
int32_t shapeAxis(int raw, bool shaped, int deadZone = 1000, int saturation = 9500);

class InputDevices {
 public:
  InputDevices() = default;
  ~InputDevices();
  InputDevices(const InputDevices&) = delete;
  InputDevices& operator=(const InputDevices&) = delete;

  // Starts SDL's joystick subsystem and opens the first joystick, if any. Never fails: a
  // missing device is simply absent.
  void open();
  void close();
  bool hasJoystick() const { return joystick_ != nullptr; }

  bool readJoystick(JoystickReading& out);
  // keys[code] is non-zero while the key of that DirectInput code is down.
  void readKeyboard(std::array<uint8_t, 256>& keys);
  void readMouse(MouseReading& out);

 private:
  _SDL_Joystick* joystick_ = nullptr;
  bool ownSubsystem_ = false;
  bool watching_ = false;
};

// Input that tests (and the headless window backend) inject on top of the real devices.
void injectKey(int keyCode, bool down);
void injectMouse(int32_t dx, int32_t dy, int32_t dz, uint32_t buttons);
void clearInjectedInput();

}  // namespace media
