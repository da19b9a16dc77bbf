// Starts a program and says how long it took until its first picture was on the X server's
// screen: the first moment a pixel of a few sampled rows of the root window is not black.
// Prints "PID MILLISECONDS" and leaves the program running (or "PID -1" when nothing showed
// within the time limit); window_start.sh measures the rest and ends it.
//
//   first-frame-probe [--log FILE] [--limit SECONDS] -- PROGRAM [ARG...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool rowLit(Display* d, Window root, int width, int y) {
  XImage* img = XGetImage(d, root, 0, y, static_cast<unsigned>(width), 1, AllPlanes, ZPixmap);
  if (!img) return false;
  bool lit = false;
  for (int x = 0; x < width && !lit; ++x) lit = (XGetPixel(img, x, 0) & 0xffffff) != 0;
  XDestroyImage(img);
  return lit;
}

}  // namespace

int main(int argc, char** argv) {
  std::string log = "/dev/null";
  double limit = 10;
  int i = 1;
  for (; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--log") && i + 1 < argc) {
      log = argv[++i];
    } else if (!std::strcmp(argv[i], "--limit") && i + 1 < argc) {
      limit = std::atof(argv[++i]);
    } else if (!std::strcmp(argv[i], "--")) {
      ++i;
      break;
    } else {
      break;
    }
  }
  if (i >= argc) {
    std::fprintf(stderr, "usage: %s [--log FILE] [--limit SECONDS] -- PROGRAM [ARG...]\n", argv[0]);
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "%s: no X display\n", argv[0]);
    return 2;
  }
  Window root = DefaultRootWindow(d);
  const int width = DisplayWidth(d, DefaultScreen(d)), height = DisplayHeight(d, DefaultScreen(d));
  const int rows[] = {height / 4, height / 2, height * 3 / 4};
  for (int y : rows)
    if (rowLit(d, root, width, y)) {
      std::fprintf(stderr, "%s: the screen is not black before the start\n", argv[0]);
      return 2;
    }

  const Clock::time_point start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
      dup2(fd, 1);
      dup2(fd, 2);
      close(fd);
    }
    execv(argv[i], argv + i);
    _exit(127);
  }
  if (pid < 0) return 2;

  double ms = -1;
  while (Clock::now() - start < std::chrono::duration<double>(limit)) {
    bool lit = false;
    for (int y : rows) lit = lit || rowLit(d, root, width, y);
    if (lit) {
      ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  XCloseDisplay(d);
  std::printf("%d %.1f\n", static_cast<int>(pid), ms);
  return 0;
}
