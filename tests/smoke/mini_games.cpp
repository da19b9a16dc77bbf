// The real program in its window, staging the three games of the inn and the game centre for the
// human in seat 1 so that a script can play them with the real mouse and keyboard: the slot
// machine, the shooting gallery and the time attack. Each scene waits for the script to create
// the file "next" beside the program and begins by printing "SCENE name"; every message the game
// writes is printed as "MSG text". It runs from a copy of the game folder, like the program.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "backend/sdl/sdl_backend.h"
#include "data/game_data.h"
#include "engine/shooting.h"
#include "engine/slot.h"
#include "engine/time_attack.h"
#include "presentation/main_form.h"
#include "presentation/message.h"
#include "presentation/status_panel.h"
#include "program/program.h"
#include "screens/top_menu.h"
#include "system/startup.h"
#include "ui/toolkit.h"

namespace {

void Announce(const char* name) {
  std::printf("SCENE %s\n", name);
  std::fflush(stdout);
}
// Keeps the window alive until the script asks for the scene.
void Scene(const char* name) {
  const std::filesystem::path next = Game().AppFolder + "next";
  while (!std::filesystem::exists(next)) ui::DoEventsWait(20);
  std::filesystem::remove(next);
  Announce(name);
}

}  // namespace

int main() {
  auto backend = ui::openSdlBackend("VorakTalmor");
  if (!backend) return 1;
  ui::init(std::move(backend));
  Main();
  MakeTopMenu("開始");
  MainForm& f = frmMain();
  for (int i = 0; i < 4; ++i) {
    f.PicStMenu[i].setVisible(false);
    Game().Players[static_cast<size_t>(i)].sUser = i == 1 ? 1 : 2;
  }
  Game().CurrentPlayer = 1;
  WriteScoreSet(false, false);
  messageWindow().onWrite = [](std::string_view text, bool) {
    std::printf("MSG %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
  };

  Scene("slot");
  Init21Slot(1);
  Announce("slot-done");
  Scene("gallery");
  Init21InnShateki(1);
  Announce("gallery-done");
  Scene("time");
  Init21TimeAttack(1);
  Announce("time-done");
  Scene("end");
  AppEnd();  // the program's own end, which leaves the process
  return 0;
}
