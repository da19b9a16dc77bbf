// The SDL backend under SDL's dummy driver (the test environment sets it): no display needed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "backend/sdl/sdl_backend.h"
#include "ui/keys.h"

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(SdlBackend, WithoutADisplayFailsWithOneLine) {
  ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  testing::internal::CaptureStderr();
  auto b = ui::openSdlBackend("VorakTalmor");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(b, nullptr);
  ASSERT_FALSE(err.empty());
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  EXPECT_NE(err.find("display"), std::string::npos) << err;
}

TEST(SdlBackend, DummyDriverOpensPresentsAndToleratesMissingCursors) {
  ScopedEnv driver("SDL_VIDEODRIVER", "dummy");
  auto b = ui::openSdlBackend("VorakTalmor");
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->name(), "sdl");
  ASSERT_NE(ui::sdlWindow(*b), nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(ui::sdlWindow(*b)), "VorakTalmor");
  b->showWindow(true);
  gfx::Surface frame(800, 600, gfx::rgb(1, 2, 3));
  b->present(frame);
  ui::CursorImage hand{gfx::Surface(32, 32, gfx::kWhite), 14, 0};
  b->setCursor(ui::kPointerCustom, &hand);  // the dummy driver makes no cursor: no harm
  b->setCursor(ui::kPointerHourglass, nullptr);
  b->captureMouse(true);
  b->captureMouse(false);
  EXPECT_EQ(b->windowRect().width(), 800);
  // The game's mode is always offered, in the platform's order (bits, then size).
  auto modes = b->displayModes();
  ui::DisplayMode game{800, 600, 16};
  EXPECT_NE(std::find(modes.begin(), modes.end(), game), modes.end());
  EXPECT_TRUE(std::is_sorted(modes.begin(), modes.end(), [](const auto& a, const auto& c) {
    return a.bits != c.bits ? a.bits < c.bits : a.width != c.width ? a.width < c.width : a.height < c.height;
  }));
  ui::Event e;
  EXPECT_FALSE(b->wait(e, 1) && e.type == ui::Event::Type::MouseDown);
}

TEST(SdlBackend, KeysMapToVirtualKeyCodes) {
  struct Case {
    int sdl, vk;
  } cases[] = {{SDLK_a, 'A'},     {SDLK_z, 'Z'},       {SDLK_0, '0'},     {SDLK_9, '9'},    {SDLK_KP_0, 96},
               {SDLK_KP_9, 105},  {SDLK_LEFT, 37},     {SDLK_UP, 38},     {SDLK_RIGHT, 39}, {SDLK_DOWN, 40},
               {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32}, {SDLK_DELETE, 46},
               {SDLK_F4, 115},    {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},     {SDLK_UNKNOWN, 0}};
  for (const auto& c : cases) EXPECT_EQ(ui::virtualKeyFromSdl(c.sdl), c.vk) << c.sdl;
}

TEST(SdlBackend, TranslatesTheDesktopsEvents) {
  ScopedEnv driver("SDL_VIDEODRIVER", "dummy");
  auto b = ui::openSdlBackend("VorakTalmor");
  ASSERT_NE(b, nullptr);
  ui::Event e;
  while (b->poll(e)) {
  }
  Uint32 id = SDL_GetWindowID(ui::sdlWindow(*b));
  auto push = [](SDL_Event s) { SDL_PushEvent(&s); };
  SDL_Event s{};
  s.type = SDL_MOUSEBUTTONDOWN;
  s.button.windowID = id;
  s.button.button = SDL_BUTTON_RIGHT;
  s.button.x = 10;
  s.button.y = 20;
  push(s);
  s = {};
  s.type = SDL_KEYDOWN;
  s.key.windowID = id;
  s.key.keysym.sym = SDLK_KP_3;
  s.key.repeat = 1;
  push(s);
  s = {};
  s.type = SDL_TEXTINPUT;
  s.text.windowID = id;
  std::strcpy(s.text.text, "山");
  push(s);
  s = {};
  s.type = SDL_KEYDOWN;
  s.key.keysym.sym = SDLK_PRINTSCREEN;  // no virtual key of ours: dropped
  push(s);
  s = {};
  s.type = SDL_QUIT;
  push(s);

  using T = ui::Event::Type;
  std::vector<ui::Event> got;
  while (b->poll(e)) got.push_back(e);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].type, T::MouseDown);
  EXPECT_EQ(got[0].button, ui::kRightButton);
  EXPECT_EQ(got[0].x, 10);
  EXPECT_EQ(got[0].y, 20);
  EXPECT_EQ(got[1].type, T::KeyDown);
  EXPECT_EQ(got[1].key, 99);
  EXPECT_TRUE(got[1].repeat);
  EXPECT_EQ(got[2].type, T::TextInput);
  EXPECT_EQ(got[2].text, "山");
  EXPECT_EQ(got[3].type, T::Quit);
}
