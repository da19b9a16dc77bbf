// The real program in its window with a monster's battle waiting for the human in seat 1, for
// tests/smoke/battle_close.sh, whose window manager then closes the window. The scene waits for
// the script to create the file "next" beside the program and begins by printing "SCENE battle";
// every message the game writes is printed as "MSG text".
#include "engine/encounter.h"
#include "staging.h"
#include "system/startup.h"

int main() {
  if (!StageGame(1)) return 1;
  PrintMessages();
  // Above any monster, so none strikes first: a monster's opening turn may end the battle (its
  // secret flight) before the human is ever asked.
  Game().Players[1].sLevel = 99;
  Scene("battle");
  Init30ActionMeetMonster(1);
  // Only a battle that went on after the close gets here.
  Announce("battle-done");
  AppEnd();
  return 0;
}
