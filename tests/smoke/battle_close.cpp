// The real program in its window with a monster's battle waiting for the human in seat 1, for
// tests/smoke/battle_close.sh, whose window manager then closes the window. The scene waits for
// the script to create the file "next" beside the program and begins by printing "SCENE battle";
// every message the game writes is printed as "MSG text".
#include <cstdio>
#include <string_view>

#include "engine/encounter.h"
#include "presentation/message.h"
#include "staging.h"
#include "system/startup.h"

int main() {
  if (!StageGame(1)) return 1;
  messageWindow().onWrite = [](std::string_view text, bool) {
    std::printf("MSG %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
  };
  Scene("battle");
  Init30ActionMeetMonster(1);
  // Only a battle that went on after the close gets here.
  Announce("battle-done");
  AppEnd();
  return 0;
}
