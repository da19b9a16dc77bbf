// The real program in its window, staging the board's scenes one after another so that a script
// can look at them: the toll gate's window with its title, the old man's question answered by a
// click, a piece falling down a column of holes, a loser blown back to its stop point and a
// happy piece. Each scene waits for the script to create the file "next" beside the program and
// begins by printing "SCENE name". It runs from a copy of the game folder, like the program.
#include <string>

#include "data/board.h"
#include "data/game_data.h"
#include "engine/accident.h"
#include "engine/cell_events.h"
#include "engine/special_cells.h"
#include "presentation/board_draw.h"
#include "presentation/main_form.h"
#include "presentation/sprites.h"
#include "staging.h"
#include "system/startup.h"

namespace {

void Put(int seat, int col, int row) {
  PlayerRecord& p = Game().Players[static_cast<size_t>(seat)];
  p.xPos = 32 * col;
  p.yPos = 32 * row;
  p.BackMapX = col;
  p.BackMapY = row;
  WriteCharaSet(seat, 0);
}

}  // namespace

int main() {
  if (!StageGame(1)) return 1;
  MainForm& f = frmMain();

  Scene("toll");
  Put(0, 10, 2);  // on the toll gate
  Init20Ryokinjyo(0);

  Scene("question");
  Put(1, 10, 0);    // with the old man
  Init20Roujin(1);  // waits for a click on a button of the "質問" menu
  Announce("answered");
  f.PicWinBase.setVisible(false);

  // A column with no floor down to the wall of the lowest row.
  for (int row = 1; row < kPlayRows - 1; ++row) SetMapCell(Game().Board[5][static_cast<size_t>(row)], "00");
  DrawMap();
  Put(2, 5, 0);
  Scene("fall");
  Init13StopMap(2);

  Put(3, 20, 2);
  Game().Players[3].BackMapX = 2;
  Scene("blown");
  WriteAnimation(3, "とばされる");

  Scene("happy");
  std::string mood = "とっても気分がいい";
  Accident(3, mood);
  Scene("end");
  AppEnd();  // the program's own end, which leaves the process
  return 0;
}
