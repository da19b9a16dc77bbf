#include "system/input.h"

#include <memory>

#include "media/input.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace {

std::unique_ptr<media::InputDevices>& devices() {
  static std::unique_ptr<media::InputDevices> d;
  return d;
}

}  // namespace

void InputInit() {
  devices() = std::make_unique<media::InputDevices>();
  devices()->open();
}

void InputReset() { devices().reset(); }

int32_t ReadInputState(InputState& State) {
  media::InputDevices* d = devices().get();
  if (!d) return 0;
  media::JoystickReading joy;
  if (d->readJoystick(joy)) {
    for (size_t i = 0; i < joy.axes.size(); ++i)
      if (joy.hasAxis[i]) State.Axes[i] = joy.axes[i];
    State.Pov = joy.pov;
    State.Buttons = static_cast<int32_t>(joy.buttons);
  }
  d->readKeyboard(State.Keys);
  // Keys and buttons the window's pump saw count too: they are what the headless window
  // reports, and under SDL they agree with the devices.
  for (size_t code = 1; code < State.Keys.size(); ++code) {
    int vk = media::virtualKeyOfKeyCode(static_cast<int>(code));
    if (vk && ui::keyHeld(vk)) State.Keys[code] = 0x80;
  }
  media::MouseReading mouse;
  d->readMouse(mouse);
  mouse.buttons |= static_cast<uint32_t>(ui::mouseButtons()) & 7u;
  State.MouseX = mouse.dx;
  State.MouseY = mouse.dy;
  State.MouseZ = mouse.dz;
  State.MouseButtons = static_cast<int32_t>(mouse.buttons);
  return 0;
}

std::string GetEscape() {
  ui::Window* w = ui::mainWindow();
  if (w) w->setInputEnabled(false);
  ui::DoEvents();
  InputState state;
  ReadInputState(state);
  if (w) w->setInputEnabled(true);
  return state.Keys[1] ? "ESCAPE" : "";
}
