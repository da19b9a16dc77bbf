// The shooting gallery of the inn and the game centre: four prize targets, an arrow sliding
// along the bottom of the event window, a click that lets it fly.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// One target: its left edge and width in the event window, its prize kind and the prize's name.
struct MatoRec {
  int32_t X = 0;
  int32_t Width = 0;
  int32_t Kind = 0;
  std::string Name;
};
// The targets of the game running now (or of the last one).
std::array<MatoRec, 4>& MatoList();

// One game of player wkID.
void Init21InnShateki(int32_t wkID);

// The target an arrow flying up at x hits: the first whose hit zone holds x, -1 for none.
int32_t ShatekiTargetAt(int32_t x);
