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
  int virtualKey;  // the window system's key code, 0 when it has none of its own
};

// DirectInput key codes are the PC keyboard's set-1 scan codes (0xE0-prefixed keys + 0x80).
constexpr KeyPair kKeys[] = {
    {0x01, SDL_SCANCODE_ESCAPE, 27},
    {0x02, SDL_SCANCODE_1, 49},
    {0x03, SDL_SCANCODE_2, 50},
    {0x04, SDL_SCANCODE_3, 51},
    {0x05, SDL_SCANCODE_4, 52},
    {0x06, SDL_SCANCODE_5, 53},
    {0x07, SDL_SCANCODE_6, 54},
    {0x08, SDL_SCANCODE_7, 55},
    {0x09, SDL_SCANCODE_8, 56},
    {0x0A, SDL_SCANCODE_9, 57},
    {0x0B, SDL_SCANCODE_0, 48},
    {0x0C, SDL_SCANCODE_MINUS, 189},
    {0x0D, SDL_SCANCODE_EQUALS, 187},
    {0x0E, SDL_SCANCODE_BACKSPACE, 8},
    {0x0F, SDL_SCANCODE_TAB, 9},
    {0x10, SDL_SCANCODE_Q, 81},
    {0x11, SDL_SCANCODE_W, 87},
    {0x12, SDL_SCANCODE_E, 69},
    {0x13, SDL_SCANCODE_R, 82},
    {0x14, SDL_SCANCODE_T, 84},
    {0x15, SDL_SCANCODE_Y, 89},
    {0x16, SDL_SCANCODE_U, 85},
    {0x17, SDL_SCANCODE_I, 73},
    {0x18, SDL_SCANCODE_O, 79},
    {0x19, SDL_SCANCODE_P, 80},
    {0x1A, SDL_SCANCODE_LEFTBRACKET, 219},
    {0x1B, SDL_SCANCODE_RIGHTBRACKET, 221},
    {0x1C, SDL_SCANCODE_RETURN, 13},
    {0x1D, SDL_SCANCODE_LCTRL, 17},
    {0x1E, SDL_SCANCODE_A, 65},
    {0x1F, SDL_SCANCODE_S, 83},
    {0x20, SDL_SCANCODE_D, 68},
    {0x21, SDL_SCANCODE_F, 70},
    {0x22, SDL_SCANCODE_G, 71},
    {0x23, SDL_SCANCODE_H, 72},
    {0x24, SDL_SCANCODE_J, 74},
    {0x25, SDL_SCANCODE_K, 75},
    {0x26, SDL_SCANCODE_L, 76},
    {0x27, SDL_SCANCODE_SEMICOLON, 186},
    {0x28, SDL_SCANCODE_APOSTROPHE, 222},
    {0x29, SDL_SCANCODE_GRAVE, 192},
    {0x2A, SDL_SCANCODE_LSHIFT, 16},
    {0x2B, SDL_SCANCODE_BACKSLASH, 220},
    {0x2C, SDL_SCANCODE_Z, 90},
    {0x2D, SDL_SCANCODE_X, 88},
    {0x2E, SDL_SCANCODE_C, 67},
    {0x2F, SDL_SCANCODE_V, 86},
    {0x30, SDL_SCANCODE_B, 66},
    {0x31, SDL_SCANCODE_N, 78},
    {0x32, SDL_SCANCODE_M, 77},
    {0x33, SDL_SCANCODE_COMMA, 188},
    {0x34, SDL_SCANCODE_PERIOD, 190},
    {0x35, SDL_SCANCODE_SLASH, 191},
    {0x36, SDL_SCANCODE_RSHIFT, 16},
    {0x37, SDL_SCANCODE_KP_MULTIPLY, 106},
    {0x38, SDL_SCANCODE_LALT, 18},
    {0x39, SDL_SCANCODE_SPACE, 32},
    {0x3A, SDL_SCANCODE_CAPSLOCK, 20},
    {0x3B, SDL_SCANCODE_F1, 112},
    {0x3C, SDL_SCANCODE_F2, 113},
    {0x3D, SDL_SCANCODE_F3, 114},
    {0x3E, SDL_SCANCODE_F4, 115},
    {0x3F, SDL_SCANCODE_F5, 116},
    {0x40, SDL_SCANCODE_F6, 117},
    {0x41, SDL_SCANCODE_F7, 118},
    {0x42, SDL_SCANCODE_F8, 119},
    {0x43, SDL_SCANCODE_F9, 120},
    {0x44, SDL_SCANCODE_F10, 121},
    {0x45, SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {0x46, SDL_SCANCODE_SCROLLLOCK, 145},
    {0x47, SDL_SCANCODE_KP_7, 103},
    {0x48, SDL_SCANCODE_KP_8, 104},
    {0x49, SDL_SCANCODE_KP_9, 105},
    {0x4A, SDL_SCANCODE_KP_MINUS, 109},
    {0x4B, SDL_SCANCODE_KP_4, 100},
    {0x4C, SDL_SCANCODE_KP_5, 101},
    {0x4D, SDL_SCANCODE_KP_6, 102},
    {0x4E, SDL_SCANCODE_KP_PLUS, 107},
    {0x4F, SDL_SCANCODE_KP_1, 97},
    {0x50, SDL_SCANCODE_KP_2, 98},
    {0x51, SDL_SCANCODE_KP_3, 99},
    {0x52, SDL_SCANCODE_KP_0, 96},
    {0x53, SDL_SCANCODE_KP_PERIOD, 110},
    {0x56, SDL_SCANCODE_NONUSBACKSLASH, 0},
    {0x57, SDL_SCANCODE_F11, 122},
    {0x58, SDL_SCANCODE_F12, 123},
    {0x64, SDL_SCANCODE_F13, 124},
    {0x65, SDL_SCANCODE_F14, 125},
    {0x66, SDL_SCANCODE_F15, 126},
    {0x70, SDL_SCANCODE_INTERNATIONAL2, 0},
    {0x73, SDL_SCANCODE_INTERNATIONAL1, 0},
    {0x79, SDL_SCANCODE_INTERNATIONAL4, 0},
    {0x7B, SDL_SCANCODE_INTERNATIONAL5, 0},
    {0x7D, SDL_SCANCODE_INTERNATIONAL3, 0},
    {0x8D, SDL_SCANCODE_KP_EQUALS, 0},
    {0x90, SDL_SCANCODE_AUDIOPREV, 0},
    {0x94, SDL_SCANCODE_LANG5, 0},
    {0x99, SDL_SCANCODE_AUDIONEXT, 0},
    {0x9C, SDL_SCANCODE_KP_ENTER, 13},
    {0x9D, SDL_SCANCODE_RCTRL, 17},
    {0xA0, SDL_SCANCODE_AUDIOMUTE, 0},
    {0xA1, SDL_SCANCODE_CALCULATOR, 0},
    {0xA2, SDL_SCANCODE_AUDIOPLAY, 0},
    {0xA4, SDL_SCANCODE_AUDIOSTOP, 0},
    {0xAE, SDL_SCANCODE_VOLUMEDOWN, 0},
    {0xB0, SDL_SCANCODE_VOLUMEUP, 0},
    {0xB2, SDL_SCANCODE_AC_HOME, 0},
    {0xB3, SDL_SCANCODE_KP_COMMA, 0},
    {0xB5, SDL_SCANCODE_KP_DIVIDE, 111},
    {0xB7, SDL_SCANCODE_PRINTSCREEN, 0},
    {0xB8, SDL_SCANCODE_RALT, 18},
    {0xC5, SDL_SCANCODE_PAUSE, 19},
    {0xC7, SDL_SCANCODE_HOME, 36},
    {0xC8, SDL_SCANCODE_UP, 38},
    {0xC9, SDL_SCANCODE_PAGEUP, 33},
    {0xCB, SDL_SCANCODE_LEFT, 37},
    {0xCD, SDL_SCANCODE_RIGHT, 39},
    {0xCF, SDL_SCANCODE_END, 35},
    {0xD0, SDL_SCANCODE_DOWN, 40},
    {0xD1, SDL_SCANCODE_PAGEDOWN, 34},
    {0xD2, SDL_SCANCODE_INSERT, 45},
    {0xD3, SDL_SCANCODE_DELETE, 46},
    {0xDB, SDL_SCANCODE_LGUI, 91},
    {0xDC, SDL_SCANCODE_RGUI, 92},
    {0xDD, SDL_SCANCODE_APPLICATION, 93},
    {0xDE, SDL_SCANCODE_POWER, 0},
    {0xDF, SDL_SCANCODE_SLEEP, 0},
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

int virtualKeyOfKeyCode(int keyCode) {
  for (const KeyPair& k : kKeys)
    if (k.code == keyCode) return k.virtualKey;
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
  // After SDL_Quit the joystick is closed and freed already.
  if (joystick_ && SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
  if (ownSubsystem_ && SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
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
