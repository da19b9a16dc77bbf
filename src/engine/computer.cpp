#include "engine/computer.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "data/board.h"
#include "data/game_data.h"
#include "system/utility.h"

namespace {

enum class Mark { None, Wall, Ladder, Boss };

// Columns 0 to 30 of the row are looked at; column 31 never is.
constexpr int32_t kLastLookedColumn = 30;
// A target closer than this may be too dangerous for a low level.
constexpr int32_t kNear = 7;

Mark markOf(const std::string& kind) {
  if (kind == "ヴォラク") return Mark::Boss;
  if (kind == "壁") return Mark::Wall;
  if (kind == "ハシゴ" || kind == "ゴール") return Mark::Ladder;
  return Mark::None;
}

// Turned back from a near target: the floors get harder toward the top.
bool tooDangerous(int32_t row, int32_t level) {
  switch (row) {
    case 8: return level < 3;
    case 6: return level < 6;
    case 4: return level < 7;
    case 2: return level < 9;
    case 1: return level < 11;
    case 9:
    case 7:
    case 5:
    case 3:
    case 0: return true;
    default: return false;
  }
}

}  // namespace

int32_t ThinkComputer(int32_t wkID) {
  const GameData& g = Game();
  const PlayerRecord& p = g.Players[static_cast<size_t>(wkID)];
  // Only a row of the board is looked along; a piece off it sees an empty row.
  const bool onBoard = p.yPosMap >= 0 && p.yPosMap < kBoardRows;
  Mark row[kLastLookedColumn + 1] = {};
  if (onBoard)
    for (int32_t x = 0; x <= kLastLookedColumn; ++x)
      row[x] = markOf(CellKindName(g.Board[static_cast<size_t>(x)][static_cast<size_t>(p.yPosMap)].Code));

  int32_t direction = 0;
  bool near = false;
  const int32_t c = p.xPosMap;
  for (int32_t x = std::max(c, 0); x <= kLastLookedColumn && direction == 0; ++x) {
    if (row[x] == Mark::None) continue;
    direction = row[x] == Mark::Wall ? -1 : 1;
    near = row[x] != Mark::Wall && x - c < kNear;
  }
  for (int32_t x = std::min(c, kLastLookedColumn); x >= 0 && direction == 0; --x) {
    if (row[x] == Mark::None) continue;
    direction = row[x] == Mark::Wall ? 1 : -1;
    near = row[x] != Mark::Wall && c - x < kNear;
  }
  if (direction == 0) direction = RandomPercent(50) ? -1 : 1;

  if (near && onBoard && p.xPosMap >= 0 && p.xPosMap < kBoardColumns) {
    const std::string& here = g.Board[static_cast<size_t>(p.xPosMap)][static_cast<size_t>(p.yPosMap)].Code;
    if (CellKindName(here) != "なし" && tooDangerous(p.yPosMap, p.sLevel)) direction = -direction;
  }
  return direction;
}
