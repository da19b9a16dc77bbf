// Watches the game's window on the X server from outside, for game_window.sh.
//
//   window-probe frames WINDOW SECONDS
//     prints how many times the program put a picture on the window during SECONDS (each
//     present is one damage report of the window's drawable, counted when it ends).
//   window-probe click X Y UNTIL_X UNTIL_Y RRGGBB [LIMIT_SECONDS]
//     clicks at root point (X, Y) and prints the milliseconds until the root pixel
//     (UNTIL_X, UNTIL_Y) shows the colour RRGGBB (-1 when it did not within the limit, 5 s).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

unsigned long rootPixel(Display* d, int x, int y) {
  XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return ~0UL;
  const unsigned long p = XGetPixel(img, 0, 0) & 0xffffff;
  XDestroyImage(img);
  return p;
}

int frames(Display* d, Window w, double seconds) {
  int base = 0, error = 0;
  if (!XDamageQueryExtension(d, &base, &error)) {
    std::fprintf(stderr, "the X server has no DAMAGE extension\n");
    return 1;
  }
  const Damage damage = XDamageCreate(d, w, XDamageReportRawRectangles);
  XSync(d, False);
  long count = 0;
  const Clock::time_point start = Clock::now();
  while (msSince(start) < seconds * 1000) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type != base + XDamageNotify) continue;
      // A present may come as several rectangles; the last says no more follow.
      if (!reinterpret_cast<XDamageNotifyEvent*>(&e)->more) ++count;
    }
    timespec nap{0, 1000000};
    nanosleep(&nap, nullptr);
  }
  XDamageDestroy(d, damage);
  std::printf("%ld\n", count);
  return 0;
}

int click(Display* d, int x, int y, int ux, int uy, unsigned long want, double limit) {
  int ev = 0, err = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(d, &ev, &err, &major, &minor)) {
    std::fprintf(stderr, "the X server has no XTEST extension\n");
    return 1;
  }
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XSync(d, False);
  const Clock::time_point start = Clock::now();
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XSync(d, False);
  while (rootPixel(d, ux, uy) != want) {
    if (msSince(start) > limit * 1000) {
      std::printf("-1\n");
      return 0;
    }
    timespec nap{0, 200000};
    nanosleep(&nap, nullptr);
  }
  std::printf("%.1f\n", msSince(start));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  const std::string mode = argc > 1 ? argv[1] : "";
  int rc = 2;
  if (mode == "frames" && argc == 4) {
    rc = frames(d, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)), std::atof(argv[3]));
  } else if (mode == "click" && (argc == 7 || argc == 8)) {
    rc = click(d, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
               std::strtoul(argv[6], nullptr, 16), argc == 8 ? std::atof(argv[7]) : 5);
  } else {
    std::fprintf(stderr, "usage: window-probe frames WINDOW SECONDS | click X Y UNTIL_X UNTIL_Y RRGGBB [LIMIT]\n");
  }
  XCloseDisplay(d);
  return rc;
}
