// Shows a main window with a picture box inside a container, drawn with known colours, and
// answers commands on stdin: "full" switches to the full-screen 800 x 600 view, "window" back,
// "text" gives a text box the focus, "message" writes a line into a slow message window and
// prints "PRESENTS n" (the frames shown while it scrolled in), "quit" ends. Prints "READY <x> <y>" (the client area on the desktop) after each
// step, and "DOWN button shift x y" for a press on the picture box, "KEY code shift" for a key and "TEXT text" for each
// change of the text box.
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "backend/sdl/sdl_backend.h"
#include "gfx/blit.h"
#include "presentation/controls/UCFont.h"
#include "presentation/controls/UcScroll.h"
#include "presentation/message.h"
#include "sys/clock.h"
#include "ui/picture_box.h"
#include "ui/text_box.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace {

void settle(int ms) {
  int64_t end = sys::clock().now() + sys::clock().frequency() / 1000 * ms;
  while (sys::clock().now() < end) ui::DoEventsWait(5);
  ui::Present(true);
}

void ready() {
  gfx::Rect r = ui::backend().windowRect();
  std::printf("READY %d %d\n", r.left, r.top);
  std::fflush(stdout);
}

}  // namespace

int main() {
  auto backend = ui::openSdlBackend("VorakTalmor");
  if (!backend) return 2;
  ui::init(std::move(backend));
  ui::Window main("frmMain", true);
  main.setCaption("VorakTalmor");
  main.setBackColor(gfx::rgb(255, 255, 0));
  auto& bgv = main.add<ui::PictureBox>("PicBgv");
  bgv.move(0, 24, 800, 576);
  bgv.setBackColor(gfx::rgb(0, 0, 128));
  auto& pic = main.add<ui::PictureBox>("PicMap", &bgv);
  pic.move(16, 16, 128, 128);
  // Four quadrants and a one-pixel mark: red, green, blue, white; the mark is magenta.
  gfx::fillRect(pic.surface(), {0, 0, 64, 64}, gfx::rgb(255, 0, 0));
  gfx::fillRect(pic.surface(), {64, 0, 128, 64}, gfx::rgb(0, 255, 0));
  gfx::fillRect(pic.surface(), {0, 64, 64, 128}, gfx::rgb(0, 0, 255));
  gfx::fillRect(pic.surface(), {64, 64, 128, 128}, gfx::rgb(255, 255, 255));
  pic.surface().setPixel(10, 10, gfx::rgb(255, 0, 255));
  pic.refresh();
  // Input through the real window, in the picture box's own coordinates.
  pic.MouseDown = [](int button, int shift, int x, int y) {
    std::printf("DOWN %d %d %d %d\n", button, shift, x, y);
    std::fflush(stdout);
  };
  main.KeyPreview = true;
  main.KeyDown = [](int& key, int shift) {
    std::printf("KEY %d %d\n", key, shift);
    std::fflush(stdout);
  };
  auto& txt = main.add<ui::TextBox>("txtName", &bgv);
  txt.move(300, 16, 200, 24);
  txt.Change = [&txt] {
    std::printf("TEXT %s\n", txt.text().c_str());
    std::fflush(stdout);
  };
  // A message window as the game's, but sixty times slower: a line takes two seconds, so that
  // even a loaded machine takes several screenshots of it on its way.
  auto& scroll = main.add<UcScroll>("UcSc", &bgv);
  scroll.move(16, 344, 768, 32);
  scroll.SetBackColor(0, gfx::rgb(0, 0, 128));
  scroll.SetWakuColor(gfx::rgb(0, 0, 128));
  scroll.SetScrollSpeed(sys::Fixed::fromRaw(600));
  scroll.SetWaku(0, 0);
  scroll.SetBackClear();
  UCFont font;
  messageWindow().UcSc = &scroll;
  messageWindow().UCFt = &font;
  main.show();
  settle(500);
  ready();

  std::string line;
  for (;;) {
    pollfd p{0, POLLIN, 0};
    if (poll(&p, 1, 5) > 0) {
      char buf[64];
      ssize_t n = read(0, buf, sizeof buf);
      if (n <= 0) break;
      line.append(buf, static_cast<size_t>(n));
      size_t nl;
      while ((nl = line.find('\n')) != std::string::npos) {
        std::string cmd = line.substr(0, nl);
        line.erase(0, nl + 1);
        if (cmd == "quit") return 0;
        if (cmd == "text") txt.setFocus();
        if (cmd == "message") {
          int64_t before = ui::framesPresented();
          WriteMessage("{1&FFF}{2&FF0}一歩ずつ見えるメッセージ", false);
          std::printf("PRESENTS %lld\n", static_cast<long long>(ui::framesPresented() - before));
          std::fflush(stdout);
        }
        if (cmd == "full") {
          ui::DisplayMode m{800, 600, 16};
          if (!ui::backend().setDisplayMode(&m)) std::puts("FAILED full");
        } else if (cmd == "window") {
          ui::backend().setDisplayMode(nullptr);
        }
        settle(700);
        ready();
      }
    }
    ui::DoEventsWait(5);
    if (ui::quitRequested()) break;
  }
  return 0;
}
