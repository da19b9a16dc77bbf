#include "backend/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "sys/clock.h"
#include "ui/keys.h"

namespace ui {

int virtualKeyFromSdl(int k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return k;
  if (k >= SDLK_F1 && k <= SDLK_F12) return kVkF1 + (k - SDLK_F1);
  switch (k) {
    case SDLK_KP_0: return kVkNumpad0;
    case SDLK_KP_1: return kVkNumpad0 + 1;
    case SDLK_KP_2: return kVkNumpad0 + 2;
    case SDLK_KP_3: return kVkNumpad0 + 3;
    case SDLK_KP_4: return kVkNumpad0 + 4;
    case SDLK_KP_5: return kVkNumpad0 + 5;
    case SDLK_KP_6: return kVkNumpad0 + 6;
    case SDLK_KP_7: return kVkNumpad0 + 7;
    case SDLK_KP_8: return kVkNumpad0 + 8;
    case SDLK_KP_9: return kVkNumpad0 + 9;
    case SDLK_KP_MULTIPLY: return kVkMultiply;
    case SDLK_KP_PLUS: return kVkAdd;
    case SDLK_KP_MINUS: return kVkSubtract;
    case SDLK_KP_PERIOD: return kVkDecimal;
    case SDLK_KP_DIVIDE: return kVkDivide;
    case SDLK_KP_ENTER:
    case SDLK_RETURN: return kVkReturn;
    case SDLK_ESCAPE: return kVkEscape;
    case SDLK_SPACE: return kVkSpace;
    case SDLK_BACKSPACE: return kVkBack;
    case SDLK_TAB: return kVkTab;
    case SDLK_DELETE: return kVkDelete;
    case SDLK_INSERT: return kVkInsert;
    case SDLK_HOME: return kVkHome;
    case SDLK_END: return kVkEnd;
    case SDLK_PAGEUP: return kVkPrior;
    case SDLK_PAGEDOWN: return kVkNext;
    case SDLK_LEFT: return kVkLeft;
    case SDLK_UP: return kVkUp;
    case SDLK_RIGHT: return kVkRight;
    case SDLK_DOWN: return kVkDown;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return kVkShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return kVkControl;
    case SDLK_LALT:
    case SDLK_RALT: return kVkMenu;
    case SDLK_PAUSE: return kVkPause;
    case SDLK_CAPSLOCK: return kVkCapital;
    case SDLK_MINUS: return 189;
    case SDLK_COMMA: return 188;
    case SDLK_PERIOD: return 190;
    case SDLK_SLASH: return 191;
    case SDLK_SEMICOLON: return 186;
    default: return 0;
  }
}

namespace {

int buttonMask(Uint8 b) {
  switch (b) {
    case SDL_BUTTON_LEFT: return kLeftButton;
    case SDL_BUTTON_RIGHT: return kRightButton;
    case SDL_BUTTON_MIDDLE: return kMiddleButton;
    default: return 0;
  }
}

int heldMask(Uint32 s) {
  return ((s & SDL_BUTTON_LMASK) ? kLeftButton : 0) | ((s & SDL_BUTTON_RMASK) ? kRightButton : 0) |
         ((s & SDL_BUTTON_MMASK) ? kMiddleButton : 0);
}

int shiftMask() {
  SDL_Keymod m = SDL_GetModState();
  return ((m & KMOD_SHIFT) ? kShiftMask : 0) | ((m & KMOD_CTRL) ? kCtrlMask : 0) | ((m & KMOD_ALT) ? kAltMask : 0);
}

SDL_SystemCursor systemCursor(int p) {
  switch (p) {
    case kPointerCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case kPointerIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case kPointerSize:
    case kPointerSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case kPointerSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case kPointerSizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case kPointerSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case kPointerSizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case kPointerHourglass: return SDL_SYSTEM_CURSOR_WAIT;
    case kPointerArrowHourglass: return SDL_SYSTEM_CURSOR_WAITARROW;
    case kPointerNoDrop: return SDL_SYSTEM_CURSOR_NO;
    case kPointerHand: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

class SdlBackend final : public Backend {
 public:
  ~SdlBackend() override {
    for (auto& [k, c] : system_) SDL_FreeCursor(c);
    for (auto& [k, c] : custom_) SDL_FreeCursor(c.cursor);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool open(const std::string& caption, int w, int h, std::string& error) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // A present must never wait for the display: timed waits pace the game themselves.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // The click that brings the window to the front is a click, as on the original platform.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // One 800 x 600 frame a present needs no 3D stack: the software renderer keeps the graphics
    // driver's libraries (near 90 MB) out of the process. The environment may still choose another.
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      error = SDL_GetError();
      return false;
    }
    width_ = w;
    height_ = h;
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                               SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!window_) {
      error = SDL_GetError();
      return false;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
      error = SDL_GetError();
      return false;
    }
    SDL_RenderSetLogicalSize(renderer_, w, h);
    if (!makeTexture(w, h)) {
      error = SDL_GetError();
      return false;
    }
    SDL_StopTextInput();
    return true;
  }

  const char* name() const override { return "sdl"; }
  SDL_Window* window() const { return window_; }

  void setCaption(const std::string& caption) override { SDL_SetWindowTitle(window_, caption.c_str()); }
  void showWindow(bool shown) override {
    if (shown) {
      SDL_ShowWindow(window_);
      SDL_RaiseWindow(window_);
    } else {
      SDL_HideWindow(window_);
    }
  }
  gfx::Rect windowRect() const override {
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &w, &h);
    return gfx::Rect::xywh(x, y, w, h);
  }
  void moveWindow(int x, int y) override {
    if (!fullScreen_) SDL_SetWindowPosition(window_, x, y);
  }
  gfx::Rect desktopRect() const override {
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &r);
    return gfx::Rect::xywh(r.x, r.y, r.w, r.h);
  }
  void minimize() override { SDL_MinimizeWindow(window_); }
  bool minimized() const override { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0; }

  void present(const gfx::Surface& frame) override {
    if (frame.width() != texW_ || frame.height() != texH_) {
      SDL_RenderSetLogicalSize(renderer_, frame.width(), frame.height());
      if (!makeTexture(frame.width(), frame.height())) return;
    }
    // Our pixels are red in the low byte: exactly SDL's XBGR8888.
    SDL_UpdateTexture(texture_, nullptr, frame.pixels().data(), frame.width() * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

  bool poll(Event& e) override {
    SDL_Event s;
    while (SDL_PollEvent(&s))
      if (translate(s, e)) return true;
    return false;
  }

  bool wait(Event& e, int timeoutMs) override {
    if (poll(e)) return true;
    // An input method's messages come beside the window's events, and SDL reads them only when
    // it pumps: while text is typed, look in often.
    constexpr int kInputMethodMs = 20;
    if (SDL_IsTextInputActive() && (timeoutMs < 0 || timeoutMs > kInputMethodMs)) timeoutMs = kInputMethodMs;
    SDL_Event s;
    int64_t end = sys::clock().now() + sys::clock().frequency() / 1000 * timeoutMs;
    for (;;) {
      int ms = -1;
      if (timeoutMs >= 0) {
        int64_t left = end - sys::clock().now();
        if (left <= 0) return false;
        ms = static_cast<int>(std::max<int64_t>(1, left / (sys::clock().frequency() / 1000)));
      }
      if (!SDL_WaitEventTimeout(&s, ms)) return false;
      if (translate(s, e)) return true;
    }
  }

  void setCursor(int pointer, const CursorImage* custom) override {
    SDL_Cursor* c = nullptr;
    if (pointer == kPointerCustom && custom) c = customCursor(*custom);
    if (!c) {
      SDL_SystemCursor id = systemCursor(pointer);
      auto it = system_.find(id);
      if (it == system_.end()) it = system_.emplace(id, SDL_CreateSystemCursor(id)).first;
      c = it->second;
    }
    // The dummy and offscreen drivers make no cursors; the pointer then stays as it is.
    if (c) SDL_SetCursor(c);
  }

  void captureMouse(bool on) override { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

  void pointerState(int& screenX, int& screenY, int& buttons) const override {
    buttons = heldMask(SDL_GetGlobalMouseState(&screenX, &screenY));
  }

  void startTextInput(const gfx::Rect& r) override {
    SDL_Rect rect{r.left, r.top, r.width(), r.height()};
    SDL_SetTextInputRect(&rect);
    SDL_StartTextInput();
  }
  void stopTextInput() override { SDL_StopTextInput(); }

  std::string clipboardText() override {
    char* t = SDL_GetClipboardText();
    std::string out = t ? t : "";
    SDL_free(t);
    return out;
  }
  void setClipboardText(const std::string& text) override { SDL_SetClipboardText(text.c_str()); }

  std::vector<DisplayMode> displayModes() override {
    int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
    std::vector<DisplayMode> out;
    int n = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < n; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(display, i, &m) == 0) out.push_back({m.w, m.h, bitsOf(m.format)});
    }
    // The game's own mode is always there: shown as a full-screen view where the screen
    // itself has no such mode.
    out.push_back({width_, height_, 16});
    out.push_back({width_, height_, 32});
    std::sort(out.begin(), out.end(), [](const DisplayMode& a, const DisplayMode& b) {
      if (a.bits != b.bits) return a.bits < b.bits;
      if (a.width != b.width) return a.width < b.width;
      return a.height < b.height;
    });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  }

  DisplayMode storedMode() override {
    SDL_DisplayMode m{};
    if (SDL_GetDesktopDisplayMode(std::max(0, SDL_GetWindowDisplayIndex(window_)), &m) != 0) return {1024, 768, 32};
    return {m.w, m.h, bitsOf(m.format)};
  }

  DisplayMode currentMode() override { return fullScreen_ ? viewMode_ : storedMode(); }

  bool setDisplayMode(const DisplayMode* mode) override {
    if (!mode) {
      if (SDL_SetWindowFullscreen(window_, 0) != 0) return false;
      SDL_SetWindowSize(window_, width_, height_);
      fullScreen_ = false;
      return true;
    }
    auto modes = displayModes();
    if (std::find(modes.begin(), modes.end(), *mode) == modes.end()) return false;
    // A full-screen view of our frame, letterboxed by the logical size: the screen keeps its
    // own resolution, which no desktop minds.
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
    fullScreen_ = true;
    viewMode_ = *mode;
    return true;
  }

 private:
  static int bitsOf(Uint32 format) {
    int b = SDL_BITSPERPIXEL(format);
    return b == 24 ? 32 : b;  // a 24-bit desktop is reported as 32 bits by the platform
  }

  bool makeTexture(int w, int h) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    texW_ = w;
    texH_ = h;
    return texture_ != nullptr;
  }

  // An image with its transparent colour made see-through, as SDL's cursors and icons take it.
  static SDL_Surface* toSdlSurface(const CursorImage& img) {
    if (img.image.empty()) return nullptr;
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, img.image.width(), img.image.height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return nullptr;
    for (int y = 0; y < img.image.height(); ++y) {
      auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
      for (int x = 0; x < img.image.width(); ++x) {
        gfx::Color c = img.image.pixel(x, y);
        row[x] = c == img.transparent
                     ? 0u
                     : 0xFF000000u | (static_cast<Uint32>(gfx::red(c)) << 16) |
                           (static_cast<Uint32>(gfx::green(c)) << 8) | static_cast<Uint32>(gfx::blue(c));
      }
    }
    return s;
  }

  void setIcon(const CursorImage& icon) override {
    Backend::setIcon(icon);
    if (SDL_Surface* s = toSdlSurface(icon)) {
      SDL_SetWindowIcon(window_, s);
      SDL_FreeSurface(s);
    }
  }

  SDL_Cursor* customCursor(const CursorImage& img) {
    auto it = custom_.find(&img);
    if (it != custom_.end() && it->second.generation == img.image.generation()) return it->second.cursor;
    if (it != custom_.end()) {
      SDL_FreeCursor(it->second.cursor);
      custom_.erase(it);
    }
    SDL_Surface* s = toSdlSurface(img);
    if (!s) return nullptr;
    SDL_Cursor* c = SDL_CreateColorCursor(s, img.hotX, img.hotY);
    SDL_FreeSurface(s);
    if (c) custom_[&img] = {c, img.image.generation()};
    return c;
  }

  bool translate(const SDL_Event& s, Event& e) {
    e = Event{};
    e.time = sys::clock().now();
    switch (s.type) {
      case SDL_MOUSEMOTION:
        if (s.motion.which == SDL_TOUCH_MOUSEID) return false;
        e.type = Event::Type::MouseMove;
        e.x = s.motion.x;
        e.y = s.motion.y;
        e.held = heldMask(s.motion.state);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (s.button.which == SDL_TOUCH_MOUSEID) return false;
        e.type = s.type == SDL_MOUSEBUTTONDOWN ? Event::Type::MouseDown : Event::Type::MouseUp;
        e.button = buttonMask(s.button.button);
        if (!e.button) return false;
        e.x = s.button.x;
        e.y = s.button.y;
        break;
      case SDL_MOUSEWHEEL: {
        if (s.wheel.which == SDL_TOUCH_MOUSEID || s.wheel.y == 0) return false;
        e.type = Event::Type::MouseWheel;
        e.wheel = s.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -s.wheel.y : s.wheel.y;
        int mx = 0, my = 0;
        SDL_GetMouseState(&mx, &my);
        // The wheel event has no position; map the window's pointer to the frame.
        float lx = 0, ly = 0;
        SDL_RenderWindowToLogical(renderer_, mx, my, &lx, &ly);
        e.x = static_cast<int>(lx);
        e.y = static_cast<int>(ly);
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        e.type = s.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
        e.key = virtualKeyFromSdl(s.key.keysym.sym);
        e.repeat = s.key.repeat != 0;
        if (!e.key) return false;
        break;
      case SDL_TEXTINPUT:
        e.type = Event::Type::TextInput;
        e.text = s.text.text;
        break;
      case SDL_TEXTEDITING:
        e.type = Event::Type::TextEditing;
        e.text = s.edit.text;
        e.editCursor = s.edit.start;
        break;
      case SDL_QUIT: e.type = Event::Type::Quit; break;
      case SDL_WINDOWEVENT:
        switch (s.window.event) {
          case SDL_WINDOWEVENT_MINIMIZED: e.type = Event::Type::Minimized; break;
          case SDL_WINDOWEVENT_LEAVE: e.type = Event::Type::Leave; break;
          case SDL_WINDOWEVENT_RESTORED: e.type = Event::Type::Restored; break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SIZE_CHANGED: e.type = Event::Type::Exposed; break;
          default: return false;
        }
        break;
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET: e.type = Event::Type::Exposed; break;
      default: return false;
    }
    e.shift = shiftMask();
    int sx = 0, sy = 0;
    SDL_GetGlobalMouseState(&sx, &sy);
    if (e.type == Event::Type::MouseMove || e.type == Event::Type::MouseDown || e.type == Event::Type::MouseUp) {
      e.screenX = sx;
      e.screenY = sy;
    }
    return true;
  }

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 800, height_ = 600, texW_ = 0, texH_ = 0;
  bool fullScreen_ = false;
  DisplayMode viewMode_;
  std::map<SDL_SystemCursor, SDL_Cursor*> system_;
  struct Custom {
    SDL_Cursor* cursor;
    uint64_t generation;
  };
  std::map<const CursorImage*, Custom> custom_;
};

bool hasDisplay() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && *driver) return true;  // chosen on purpose (tests use "dummy")
  const char* x = std::getenv("DISPLAY");
  const char* wl = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wl && *wl);
}

}  // namespace

std::unique_ptr<Backend> openSdlBackend(const std::string& caption, int width, int height) {
  if (!hasDisplay()) {
    std::fputs("VorakTalmor: no display to open the window on (DISPLAY is not set).\n", stderr);
    return nullptr;
  }
  auto b = std::make_unique<SdlBackend>();
  std::string error;
  if (!b->open(caption, width, height, error)) {
    std::fprintf(stderr, "VorakTalmor: cannot open the window: %s\n", error.c_str());
    return nullptr;
  }
  // With no display SDL quietly picks its invisible "offscreen" driver; a player would see
  // nothing, so only an explicit choice of it counts.
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  const char* current = SDL_GetCurrentVideoDriver();
  if (current && std::string(current) == "offscreen" && !(chosen && std::string(chosen) == "offscreen")) {
    std::fputs("VorakTalmor: no display to open the window on.\n", stderr);
    return nullptr;
  }
  return b;
}

SDL_Window* sdlWindow(Backend& b) {
  auto* s = dynamic_cast<SdlBackend*>(&b);
  return s ? s->window() : nullptr;
}

}  // namespace ui
