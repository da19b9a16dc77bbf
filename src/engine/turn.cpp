#include "engine/turn.h"

#include <array>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/board.h"
#include "data/game_data.h"
#include "engine/accident.h"
#include "engine/battle_commands.h"
#include "engine/cell_events.h"
#include "engine/dice.h"
#include "engine/duel.h"
#include "engine/special_cells.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "presentation/status_panel.h"
#include "sys/number.h"
#include "sys/text.h"
#include "system/media.h"
#include "system/utility.h"

namespace {

constexpr int32_t kCell = 32;
constexpr int32_t kLastColumn = kPlayColumns - 1;
// A vertical walk turns back before it would enter this row.
constexpr int32_t kVerticalWalkFloor = 8;

struct DiceCommand {
  const char* command;
  const char* way;  // the direction word of the message
  int32_t stepX, stepY;
  bool rolled;  // the die gives the distance; otherwise it is 2
};

constexpr std::array<DiceCommand, 4> kDiceCommands{{
    {"サイコロ振った(左)", "左", -1, 0, true},
    {"サイコロ振った(右)", "右", 1, 0, true},
    {"サイコロ振った(上)", "上", 0, -1, false},
    {"サイコロ振った(下)", "下", 0, 1, false},
}};

const DiceCommand* findDiceCommand(const std::string& command) {
  for (const DiceCommand& d : kDiceCommands)
    if (command == d.command) return &d;
  return nullptr;
}

bool isSeat(int32_t id) { return id >= 0 && id <= 3; }

PlayerRecord& player(int32_t id) { return Game().Players[static_cast<size_t>(id)]; }

// The kind of a cell; "" outside the board, so a stray position never reads past it.
std::string kindAt(int32_t column, int32_t row) {
  if (column < 0 || column >= kBoardColumns || row < 0 || row >= kBoardRows) return "";
  return CellKindName(Game().Board[static_cast<size_t>(column)][static_cast<size_t>(row)].Code);
}

std::string paramAt(int32_t column, int32_t row) {
  if (column < 0 || column >= kBoardColumns || row < 0 || row >= kBoardRows) return "";
  return CellKindParam(Game().Board[static_cast<size_t>(column)][static_cast<size_t>(row)].Code);
}

bool turnsBack(const std::string& kind) {
  return kind == "壁" || kind == "ひび" || kind == "池" || kind == "罠" || kind == "別れ穴";
}

int32_t sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

bool onOwnStopPoint(const PlayerRecord& p) { return p.xPosMap == p.BackMapX && p.yPosMap == p.BackMapY; }

// The walking patterns of a step in direction sx (0: up or down a ladder).
const std::vector<int32_t>& stepPatterns(int32_t sx) {
  static const std::vector<int32_t> left{3, 4, 5, 4}, right{6, 7, 8, 7}, vertical{9, 10, 11};
  return sx < 0 ? left : sx > 0 ? right : vertical;
}

// Ladders carry the piece up as long as it stands on one. False when the climb took it off
// the board for good.
bool climbLadders(int32_t wkID) {
  PlayerRecord& p = player(wkID);
  while (kindAt(p.xPosMap, p.yPosMap) == "ハシゴ") {
    const int32_t row = p.yPosMap;
    WriteAnimation(wkID, "のぼる");
    p.sScore = sys::clampInt(int64_t{p.sScore} + 10);
    if (p.EndingFlug) return false;
    // A climb that did not lift the piece would climb for ever.
    if (p.yPosMap >= row) break;
  }
  return true;
}

// What the cell reached by a step does to the walk: false ends it there.
bool walkGoesOn(int32_t wkID) {
  PlayerRecord& p = player(wkID);
  const std::string kind = kindAt(p.xPosMap, p.yPosMap);
  if (kind == "止まれ") return Init20Stop(wkID);
  if (kind == "料金所") return Init20Ryokinjyo(wkID);
  if (kind == "ヴォラク") {
    const int32_t boss = static_cast<int32_t>(sys::val(paramAt(p.xPosMap, p.yPosMap)));
    // A boss holds everyone who has not beaten it often enough.
    return boss >= 1 && boss <= 5 && p.sTimes[static_cast<size_t>(boss)] >= 10;
  }
  return true;
}

}  // namespace

std::string Init12Action(int32_t ID, std::string Command, std::string /*Choice*/) {
  if (!isSeat(ID) || player(ID).yPosMap < 0) return "";
  GameData& g = Game();
  if (const DiceCommand* d = findDiceCommand(Command)) {
    PlaySound(1, g.WavFolder + "QV-Dice.wav ", false, true, false, 0);
    const int32_t distance = d->rolled ? Dice(ID) : 2;
    Menu().MenuChoice = std::to_string(distance);
    WriteMessage(FormatNum(std::to_string(distance), 0, sys::kUpperCase | sys::kWide) + "コマ" + d->way + "へ", false);
    Init13Walk(ID, d->stepX * distance, d->stepY * distance);

    const PlayerRecord& mover = player(ID);
    // A player on its own stop point is safe, and one that reached the goal has left the board.
    for (int32_t i = 0; i < 4; ++i) {
      const PlayerRecord& other = player(i);
      if (!mover.EndingFlug && !onOwnStopPoint(mover) && i != ID && other.sUser != 0 && !other.EndingFlug &&
          other.xPosMap == mover.xPosMap && other.yPosMap == mover.yPosMap && !onOwnStopPoint(other))
        Init15Battle(ID, i);
    }
    Init13StopMap(ID);
    return "";
  }
  if (Command == "薬草を使う") {
    UseDrug(ID);
    return "もう一度";
  }
  if (Command == "宝探し") {
    WriteMessage("「なにかないかなぁー」", false);
    WaitSec(Fixed::fromRaw(5000));
    BaseSearch(ID);
  }
  return "";
}

void Init13Walk(int32_t wkID, int32_t MukiX, int32_t MukiY) {
  if (!isSeat(wkID)) return;
  GameData& g = Game();
  PlayerRecord& p = player(wkID);
  int32_t sx = sign(MukiX), sy = sign(MukiY);
  int64_t stepsX = std::llabs(int64_t{MukiX}), stepsY = std::llabs(int64_t{MukiY});
  size_t frame = 0;
  for (;;) {
    if (sy == 0) {
      const bool grass = p.yPosMap == 0 || p.yPosMap == 3 || p.yPosMap == 4;
      PlaySound(3, g.WavFolder + (grass ? "QV-WalkGrass.wav " : "QV-Walk.wav "), false, true, false, 0);
      const int32_t ahead = p.xPosMap + sx > kLastColumn ? 0 : p.xPosMap + sx < 0 ? kLastColumn : p.xPosMap + sx;
      if (turnsBack(kindAt(ahead, p.yPosMap))) sx = -sx;
    }
    // The vertical walk stays on the played rows above the bottom floor.
    if (p.yPosMap + sy >= kVerticalWalkFloor || p.yPosMap + sy < 0) sy = -sy;

    const int32_t next = p.xPosMap + sx;
    if (next > kLastColumn) {
      p.xPosMap = 0;
      p.xPos = 0;
      WriteCharaSet(wkID, 0, 0, 0);
    } else if (next < 0) {
      p.xPos = kLastColumn * kCell;
      p.xPosMap = kLastColumn;
      WriteCharaSet(wkID, 0, 0, 0);
    } else {
      const std::vector<int32_t>& patterns = stepPatterns(sx);
      for (int i = 0; i < 4; ++i) {
        if (++frame >= patterns.size()) frame = 0;
        WriteCharaSet(wkID, patterns[frame], 8 * sx, 8 * sy);
        WaitSec(Fixed::fromRaw(200));
        WriteScore(wkID, false, false);
      }
    }
    stepsX -= std::abs(sx);
    stepsY -= std::abs(sy);
    if (sx != 0) p.sMukiX = sx;
    if (sy != 0) p.sMukiY = sy;

    if (!climbLadders(wkID)) return;
    if (!walkGoesOn(wkID)) return;
    if (stepsX <= 0 && stepsY <= 0) return;
  }
}

void Init15Battle(int32_t ID, int32_t TkID) {
  if (!isSeat(ID) || !isSeat(TkID)) return;
  const PlayerRecord& a = player(ID);
  const PlayerRecord& b = player(TkID);
  WriteMessage(a.sColor + a.sName + "は、" + b.sColor + b.sName + "と遭遇した!", false);
  PushButton();
  int32_t mover = ID, met = TkID;
  Init40AttackUser(mover, met);
}

void BaseSearch(int32_t wkID) {
  std::string happening;
  Accident(wkID, happening);
}
