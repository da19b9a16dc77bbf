// What the programs that stage scenes in the real window share: the game started on the real
// window with one human seat, and the handshake with their script, which creates the file "next"
// beside the program to ask for a scene; each scene begins by printing "SCENE name".
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

#include "backend/sdl/sdl_backend.h"
#include "data/game_data.h"
#include "presentation/main_form.h"
#include "presentation/message.h"
#include "presentation/status_panel.h"
#include "program/program.h"
#include "support/new_game.h"
#include "ui/toolkit.h"

inline void Announce(const char* name) {
  std::printf("SCENE %s\n", name);
  std::fflush(stdout);
}

// Prints every message the game writes as "MSG text", for the script to wait on.
inline void PrintMessages() {
  messageWindow().onWrite = [](std::string_view text, bool) {
    std::printf("MSG %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
  };
}

// Keeps the window alive until the script asks for the scene.
inline void Scene(const char* name) {
  const std::filesystem::path next = Game().AppFolder + "next";
  while (!std::filesystem::exists(next)) ui::DoEventsWait(20);
  std::filesystem::remove(next);
  Announce(name);
}

// The program on the real window in a running game: seat `human` a human, the others computers,
// the start screen's panels gone. False when there is no window to open.
inline bool StageGame(int32_t human) {
  auto backend = ui::openSdlBackend("VorakTalmor");
  if (!backend) return false;
  ui::init(std::move(backend));
  Main();
  testing_support::LayOutNewGame();
  MainForm& f = frmMain();
  for (int i = 0; i < 4; ++i) {
    f.PicStMenu[i].setVisible(false);
    Game().Players[static_cast<size_t>(i)].sUser = i == human ? 1 : 2;
  }
  Game().CurrentPlayer = human;
  WriteScoreSet(false, false);
  return true;
}
