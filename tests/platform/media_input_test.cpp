#include <SDL.h>
#include <gtest/gtest.h>

#include "media/input.h"

namespace {

TEST(KeyCodes, MapTheKeysTheGamePollsToTheirScancodes) {
  struct Case {
    int code;
    SDL_Scancode scancode;
  } cases[] = {
      {1, SDL_SCANCODE_ESCAPE}, {57, SDL_SCANCODE_SPACE},     {82, SDL_SCANCODE_KP_0},   {79, SDL_SCANCODE_KP_1},
      {75, SDL_SCANCODE_KP_4},  {156, SDL_SCANCODE_KP_ENTER}, {28, SDL_SCANCODE_RETURN}, {11, SDL_SCANCODE_0},
      {2, SDL_SCANCODE_1},      {7, SDL_SCANCODE_6},          {44, SDL_SCANCODE_Z},      {47, SDL_SCANCODE_V},
      {200, SDL_SCANCODE_UP},   {208, SDL_SCANCODE_DOWN},     {0, SDL_SCANCODE_UNKNOWN}, {0x54, SDL_SCANCODE_UNKNOWN},
  };
  for (const Case& c : cases) EXPECT_EQ(media::scancodeOfKeyCode(c.code), c.scancode) << c.code;
  // The window's own codes for the same keys.
  const int vk[][2] = {{1, 27}, {57, 32}, {82, 96}, {156, 13}, {28, 13}, {11, 48}, {44, 'Z'}, {200, 38}, {0x54, 0}};
  for (const auto& p : vk) EXPECT_EQ(media::virtualKeyOfKeyCode(p[0]), p[1]) << p[0];
}

TEST(Axes, DeadZoneAndSaturationShapeTheStick) {
  struct Case {
    int raw;
    bool shaped;
    int expected;
  } cases[] = {
      {0, true, 5000},      {3000, true, 5000},   {-3000, true, 5000},  // inside 10 % of the half range
      {32767, true, 10000}, {31500, true, 10000}, {-31500, true, 0},    // beyond 95 %
      {-32768, true, 0},    {17694, true, 7588},                        // 54 % → 5000 + 5000 · (0.54 - 0.1) / 0.85
      {0, false, 5000},     {-32768, false, 0},   {32767, false, 10000}, {16384, false, 7500},
  };
  for (const Case& c : cases) EXPECT_NEAR(media::shapeAxis(c.raw, c.shaped), c.expected, 1) << c.raw;
}

class VirtualStick : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real joystick is attached";
    index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 4, 1);
    ASSERT_GE(index_, 0) << SDL_GetError();
    devices_.open();
    ASSERT_TRUE(devices_.hasJoystick());
    stick_ = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index_));
    ASSERT_NE(stick_, nullptr);
  }
  void TearDown() override {
    devices_.close();
    if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  int index_ = -1;
  SDL_Joystick* stick_ = nullptr;
  media::InputDevices devices_;
};

TEST_F(VirtualStick, ReadsAxesHatAndButtonsTheGameWay) {
  SDL_JoystickSetVirtualAxis(stick_, 0, 32767);
  SDL_JoystickSetVirtualAxis(stick_, 1, 2000);    // in the dead zone
  SDL_JoystickSetVirtualAxis(stick_, 2, -32768);  // Z has no dead zone
  SDL_JoystickSetVirtualButton(stick_, 0, 1);
  SDL_JoystickSetVirtualButton(stick_, 2, 1);
  SDL_JoystickSetVirtualHat(stick_, 0, SDL_HAT_RIGHT);
  media::JoystickReading r;
  ASSERT_TRUE(devices_.readJoystick(r));
  EXPECT_EQ(r.axes[0], 10000);
  EXPECT_EQ(r.axes[1], 5000);
  EXPECT_EQ(r.axes[2], 0);
  EXPECT_TRUE(r.hasAxis[2]);
  EXPECT_FALSE(r.hasAxis[3]);
  EXPECT_EQ(r.buttons, 5u);
  EXPECT_EQ(r.pov, 9000);
  SDL_JoystickSetVirtualHat(stick_, 0, SDL_HAT_CENTERED);
  ASSERT_TRUE(devices_.readJoystick(r));
  EXPECT_EQ(r.pov, -1);
}

TEST(InjectedInput, AddsToTheDevicesAndMovementIsRelative) {
  media::InputDevices d;
  d.open();
  media::injectKey(1, true);
  media::injectKey(999, true);  // ignored, not a crash
  std::array<uint8_t, 256> keys{};
  d.readKeyboard(keys);
  EXPECT_NE(keys[1], 0);
  EXPECT_EQ(keys[57], 0);
  media::injectMouse(5, -3, 120, 0b101);
  media::MouseReading m;
  d.readMouse(m);
  EXPECT_EQ(m.dx, 5);
  EXPECT_EQ(m.dy, -3);
  EXPECT_EQ(m.dz, 120);
  EXPECT_EQ(m.buttons, 5u);
  d.readMouse(m);
  EXPECT_EQ(m.dx, 0);
  EXPECT_EQ(m.dz, 0);
  media::clearInjectedInput();
  d.readKeyboard(keys);
  EXPECT_EQ(keys[1], 0);
}

}  // namespace
