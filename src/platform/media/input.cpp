#include "media/input.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <utility>

namespace media {
namespace {

struct KeyPair {
  uint8_t code;
  SDL_Scancode scancode;
};

// DirectInput key codes are the PC keyboard's set-1 scan codes (0xE0-prefixed keys + 0x80).
constexpr KeyPair kKeys[] = {
    {0x01, SDL_SCANCODE_ESCAPE},
    {0x02, SDL_SCANCODE_1},
    {0x03, SDL_SCANCODE_2},
    {0x04, SDL_SCANCODE_3},
    {0x05, SDL_SCANCODE_4},
    {0x06, SDL_SCANCODE_5},
    {0x07, SDL_SCANCODE_6},
    {0x08, SDL_SCANCODE_7},
    {0x09, SDL_SCANCODE_8},
    {0x0A, SDL_SCANCODE_9},
    {0x0B, SDL_SCANCODE_0},
    {0x0C, SDL_SCANCODE_MINUS},
    {0x0D, SDL_SCANCODE_EQUALS},
    {0x0E, SDL_SCANCODE_BACKSPACE},
    {0x0F, SDL_SCANCODE_TAB},
    {0x10, SDL_SCANCODE_Q},
    {0x11, SDL_SCANCODE_W},
    {0x12, SDL_SCANCODE_E},
    {0x13, SDL_SCANCODE_R},
    {0x14, SDL_SCANCODE_T},
    {0x15, SDL_SCANCODE_Y},
    {0x16, SDL_SCANCODE_U},
    {0x17, SDL_SCANCODE_I},
    {0x18, SDL_SCANCODE_O},
    {0x19, SDL_SCANCODE_P},
    {0x1A, SDL_SCANCODE_LEFTBRACKET},
    {0x1B, SDL_SCANCODE_RIGHTBRACKET},
    {0x1C, SDL_SCANCODE_RETURN},
    {0x1D, SDL_SCANCODE_LCTRL},
    {0x1E, SDL_SCANCODE_A},
    {0x1F, SDL_SCANCODE_S},
    {0x20, SDL_SCANCODE_D},
    {0x21, SDL_SCANCODE_F},
    {0x22, SDL_SCANCODE_G},
    {0x23, SDL_SCANCODE_H},
    {0x24, SDL_SCANCODE_J},
    {0x25, SDL_SCANCODE_K},
    {0x26, SDL_SCANCODE_L},
    {0x27, SDL_SCANCODE_SEMICOLON},
    {0x28, SDL_SCANCODE_APOSTROPHE},
    {0x29, SDL_SCANCODE_GRAVE},
    {0x2A, SDL_SCANCODE_LSHIFT},
    {0x2B, SDL_SCANCODE_BACKSLASH},
    {0x2C, SDL_SCANCODE_Z},
    {0x2D, SDL_SCANCODE_X},
    {0x2E, SDL_SCANCODE_C},
    {0x2F, SDL_SCANCODE_V},
    {0x30, SDL_SCANCODE_B},
    {0x31, SDL_SCANCODE_N},
    {0x32, SDL_SCANCODE_M},
    {0x33, SDL_SCANCODE_COMMA},
    {0x34, SDL_SCANCODE_PERIOD},
    {0x35, SDL_SCANCODE_SLASH},
    {0x36, SDL_SCANCODE_RSHIFT},
    {0x37, SDL_SCANCODE_KP_MULTIPLY},
    {0x38, SDL_SCANCODE_LALT},
    {0x39, SDL_SCANCODE_SPACE},
    {0x3A, SDL_SCANCODE_CAPSLOCK},
    {0x3B, SDL_SCANCODE_F1},
    {0x3C, SDL_SCANCODE_F2},
    {0x3D, SDL_SCANCODE_F3},
    {0x3E, SDL_SCANCODE_F4},
    {0x3F, SDL_SCANCODE_F5},
    {0x40, SDL_SCANCODE_F6},
    {0x41, SDL_SCANCODE_F7},
    {0x42, SDL_SCANCODE_F8},
    {0x43, SDL_SCANCODE_F9},
    {0x44, SDL_SCANCODE_F10},
    {0x45, SDL_SCANCODE_NUMLOCKCLEAR},
    {0x46, SDL_SCANCODE_SCROLLLOCK},
    {0x47, SDL_SCANCODE_KP_7},
    {0x48, SDL_SCANCODE_KP_8},
    {0x49, SDL_SCANCODE_KP_9},
    {0x4A, SDL_SCANCODE_KP_MINUS},
    {0x4B, SDL_SCANCODE_KP_4},
    {0x4C, SDL_SCANCODE_KP_5},
    {0x4D, SDL_SCANCODE_KP_6},
    {0x4E, SDL_SCANCODE_KP_PLUS},
    {0x4F, SDL_SCANCODE_KP_1},
    {0x50, SDL_SCANCODE_KP_2},
    {0x51, SDL_SCANCODE_KP_3},
    {0x52, SDL_SCANCODE_KP_0},
    {0x53, SDL_SCANCODE_KP_PERIOD},
    {0x56, SDL_SCANCODE_NONUSBACKSLASH},
    {0x57, SDL_SCANCODE_F11},
    {0x58, SDL_SCANCODE_F12},
    {0x64, SDL_SCANCODE_F13},
    {0x65, SDL_SCANCODE_F14},
    {0x66, SDL_SCANCODE_F15},
    {0x70, SDL_SCANCODE_INTERNATIONAL2},
    {0x73, SDL_SCANCODE_INTERNATIONAL1},
    {0x79, SDL_SCANCODE_INTERNATIONAL4},
    {0x7B, SDL_SCANCODE_INTERNATIONAL5},
    {0x7D, SDL_SCANCODE_INTERNATIONAL3},
    {0x8D, SDL_SCANCODE_KP_EQUALS},
    {0x90, SDL_SCANCODE_AUDIOPREV},
    {0x94, SDL_SCANCODE_LANG5},
    {0x99, SDL_SCANCODE_AUDIONEXT},
    {0x9C, SDL_SCANCODE_KP_ENTER},
    {0x9D, SDL_SCANCODE_RCTRL},
    {0xA0, SDL_SCANCODE_AUDIOMUTE},
    {0xA1, SDL_SCANCODE_CALCULATOR},
    {0xA2, SDL_SCANCODE_AUDIOPLAY},
    {0xA4, SDL_SCANCODE_AUDIOSTOP},
    {0xAE, SDL_SCANCODE_VOLUMEDOWN},
    {0xB0, SDL_SCANCODE_VOLUMEUP},
    {0xB2, SDL_SCANCODE_AC_HOME},
    {0xB3, SDL_SCANCODE_KP_COMMA},
    {0xB5, SDL_SCANCODE_KP_DIVIDE},
    {0xB7, SDL_SCANCODE_PRINTSCREEN},
    {0xB8, SDL_SCANCODE_RALT},
    {0xC5, SDL_SCANCODE_PAUSE},
    {0xC7, SDL_SCANCODE_HOME},
    {0xC8, SDL_SCANCODE_UP},
    {0xC9, SDL_SCANCODE_PAGEUP},
    {0xCB, SDL_SCANCODE_LEFT},
    {0xCD, SDL_SCANCODE_RIGHT},
    {0xCF, SDL_SCANCODE_END},
    {0xD0, SDL_SCANCODE_DOWN},
    {0xD1, SDL_SCANCODE_PAGEDOWN},
    {0xD2, SDL_SCANCODE_INSERT},
    {0xD3, SDL_SCANCODE_DELETE},
    {0xDB, SDL_SCANCODE_LGUI},
    {0xDC, SDL_SCANCODE_RGUI},
    {0xDD, SDL_SCANCODE_APPLICATION},
    {0xDE, SDL_SCANCODE_POWER},
    {0xDF, SDL_SCANCODE_SLEEP},
};

struct Injected {
  std::mutex mutex;
  std::array<uint8_t, 256> keys{};
  MouseReading mouse;
};
Injected& injected() {
  static Injected i;
  return i;
}

std::atomic<int32_t> gWheel{0};

// The wheel has no polled state in SDL; count its events as the window's pump sees them.
int SDLCALL watchWheel(void*, SDL_Event* e) {
  if (e->type == SDL_MOUSEWHEEL) gWheel += (e->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1) * e->wheel.y * 120;
  return 0;
}

int32_t povOfHat(uint8_t hat) {
  switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return -1;
  }
}

}  // namespace

int scancodeOfKeyCode(int keyCode) {
  for (const KeyPair& k : kKeys)
    if (k.code == keyCode) return k.scancode;
  return 0;
}

int32_t shapeAxis(int raw, bool shaped, int deadZone, int saturation) {
  double v = (std::clamp(raw, -32768, 32767) + 32768) / 65535.0 * 2.0 - 1.0;  // -1..1
  if (shaped) {
    double a = std::abs(v), dz = deadZone / 10000.0, sat = saturation / 10000.0;
    double s = a <= dz ? 0.0 : a >= sat ? 1.0 : (a - dz) / (sat - dz);
    v = v < 0 ? -s : s;
  }
  return static_cast<int32_t>(std::lround(5000.0 + v * 5000.0));
}

InputDevices::~InputDevices() { close(); }

void InputDevices::open() {
  close();
  SDL_AddEventWatch(watchWheel, nullptr);
  watching_ = true;
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
  ownSubsystem_ = true;
  if (SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
}

void InputDevices::close() {
  if (joystick_) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
  if (ownSubsystem_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  ownSubsystem_ = false;
  if (watching_) SDL_DelEventWatch(watchWheel, nullptr);
  watching_ = false;
}

bool InputDevices::readJoystick(JoystickReading& out) {
  if (!joystick_) return false;
  SDL_JoystickUpdate();
  out = JoystickReading{};
  int axes = std::min(SDL_JoystickNumAxes(joystick_), 8);
  for (int i = 0; i < axes; ++i) {
    out.hasAxis[static_cast<size_t>(i)] = true;
    // Dead zone and saturation apply to the stick's X and Y only.
    out.axes[static_cast<size_t>(i)] = shapeAxis(SDL_JoystickGetAxis(joystick_, i), i < 2);
  }
  int hats = std::min(SDL_JoystickNumHats(joystick_), 4);
  for (int i = 0; i < hats; ++i) out.pov += povOfHat(SDL_JoystickGetHat(joystick_, i));
  int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
  for (int j = 0; j < buttons; ++j)
    if (SDL_JoystickGetButton(joystick_, j)) out.buttons |= 1u << j;
  return true;
}

void InputDevices::readKeyboard(std::array<uint8_t, 256>& keys) {
  int count = 0;
  const uint8_t* state = SDL_GetKeyboardState(&count);
  Injected& inj = injected();
  std::lock_guard lock(inj.mutex);
  keys.fill(0);
  for (const KeyPair& k : kKeys)
    if (state && k.scancode < count && state[k.scancode]) keys[k.code] = 0x80;
  for (size_t c = 0; c < keys.size(); ++c)
    if (inj.keys[c]) keys[c] = 0x80;
}

void InputDevices::readMouse(MouseReading& out) {
  int x = 0, y = 0;
  uint32_t b = SDL_GetRelativeMouseState(&x, &y);
  Injected& inj = injected();
  std::lock_guard lock(inj.mutex);
  out.dx = x + std::exchange(inj.mouse.dx, 0);
  out.dy = y + std::exchange(inj.mouse.dy, 0);
  out.dz = gWheel.exchange(0) + std::exchange(inj.mouse.dz, 0);
  out.buttons = inj.mouse.buttons;
  if (b & SDL_BUTTON_LMASK) out.buttons |= 1;
  if (b & SDL_BUTTON_RMASK) out.buttons |= 2;
  if (b & SDL_BUTTON_MMASK) out.buttons |= 4;
  if (b & SDL_BUTTON_X1MASK) out.buttons |= 8;
}

void injectKey(int keyCode, bool down) {
  if (keyCode < 0 || keyCode > 255) return;
  Injected& inj = injected();
  std::lock_guard lock(inj.mutex);
  inj.keys[static_cast<size_t>(keyCode)] = down ? 0x80 : 0;
}

void injectMouse(int32_t dx, int32_t dy, int32_t dz, uint32_t buttons) {
  Injected& inj = injected();
  std::lock_guard lock(inj.mutex);
  inj.mouse.dx += dx;
  inj.mouse.dy += dy;
  inj.mouse.dz += dz;
  inj.mouse.buttons = buttons;
}

void clearInjectedInput() {
  Injected& inj = injected();
  std::lock_guard lock(inj.mutex);
  inj.keys.fill(0);
  inj.mouse = MouseReading{};
}

}  // namespace media
