#include <cstdio>

// The game's start-up takes over here once the main window exists.
int main() {
  std::fputs("VorakTalmor: the game window is not built yet.\n", stderr);
  return 1;
}
