#include <memory>

#include "backend/sdl/sdl_backend.h"
#include "program/program.h"
#include "system/startup.h"
#include "ui/toolkit.h"

int main() {
  // With no display the backend says so in one line on stderr.
  auto backend = ui::openSdlBackend("VorakTalmor");
  if (!backend) return 1;
  ui::init(std::move(backend));
  Main();
  // The program lives in the main window's handlers; AppEnd leaves the process from one of them.
  while (!AppEnded()) ui::DoEventsWait();
  return 0;
}
