// The real program in its window, staging a shop and the three games of the inn and the game
// centre for the human in seat 1 so that a script can play them with the real mouse and
// keyboard: the herb shop's list and menu, the slot machine, the shooting gallery and the time
// attack. Each scene waits for the script to create
// the file "next" beside the program and begins by printing "SCENE name"; every message the game
// writes is printed as "MSG text". It runs from a copy of the game folder, like the program.
#include "engine/facilities.h"
#include "engine/shooting.h"
#include "engine/slot.h"
#include "engine/time_attack.h"
#include "staging.h"
#include "system/startup.h"

int main() {
  if (!StageGame(1)) return 1;
  PrintMessages();

  Scene("shop");
  Game().Players[1].sMoney = 30;
  Init20Drug(1);  // waits for a button of the herb shop's menu
  Announce("shop-done");
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
