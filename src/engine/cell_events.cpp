#include "engine/cell_events.h"

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "engine/accident.h"
#include "engine/encounter.h"
#include "engine/facilities.h"
#include "engine/special_cells.h"
#include "engine/stats.h"
#include "engine/turn.h"
#include "presentation/board_draw.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "sys/number.h"
#include "sys/text.h"
#include "system/chances.h"
#include "system/media.h"
#include "system/utility.h"

namespace {

constexpr int32_t kCell = 32;
constexpr int32_t kLowestRow = 8 * kCell;  // a piece further down comes back in at the top

// The cells a piece has fallen from since it came to rest. Falling from one of them again means
// the piece went round the whole board without a floor to hold it: it rests where it is.
class Landing {
 public:
  bool MayFallFrom(const PlayerRecord& p) {
    const std::pair<int32_t, int32_t> cell{p.xPosMap, p.yPosMap};
    if (std::find(fellFrom_.begin(), fellFrom_.end(), cell) != fellFrom_.end()) return false;
    fellFrom_.push_back(cell);
    return true;
  }

 private:
  std::vector<std::pair<int32_t, int32_t>> fellFrom_;
};

// A cell of the played board; none for a place outside it, whatever a record says.
MapCell* BoardCell(int32_t col, int32_t row) {
  if (col < 0 || col >= kPlayColumns || row < 0 || row >= kPlayRows) return nullptr;
  return &Game().Board[static_cast<size_t>(col)][static_cast<size_t>(row)];
}
// A place outside the board reads as an empty cell.
std::string CodeAt(int32_t col, int32_t row) {
  const MapCell* c = BoardCell(col, row);
  return c ? c->Code : "";
}

PlayerRecord& Seat(int32_t wkID) { return Game().Players[static_cast<size_t>(wkID)]; }

void Say(const std::string& text) { WriteMessage(text, false); }
void Redraw(int32_t wkID) { WriteCharaSet(wkID, 0, 0, 0); }
void Sound(int32_t slot, const char* file) { PlaySound(slot, Game().WavFolder + file, false, true, false, 0); }

void StopMap(int32_t wkID, Landing& landing);

// A crack under the piece shakes and may give way; true when it did.
bool CrackGivesWay(int32_t wkID, MapCell& floor, const std::string& variant) {
  Say("むむぅ。揺れるなぁ・・・");
  WaitSec(1.5);
  std::string code = floor.Code;
  if (variant == "1") code = RandomPercent(20) ? "00" : "11";
  if (variant == "2") code = RandomPercent(30) ? "00" : "12";
  if (variant == "3" && RandomPercent(80)) code = "00";
  SetMapCell(floor, code);
  DrawMap();
  Redraw(wkID);
  WaitSec(1.5);
  if (code == "00") return true;
  Say("ふぅ～");
  return false;
}

// Herbs dropped into the water or the trap.
void DropHerbs(int32_t wkID, int32_t n) {
  Say("薬草を" + std::to_string(n) + "コ落とした!!");
  WaitSec(0.5);
  PlayerPlus(wkID, 0, -n);
}

// The piece ducks into a pond, trap or hot spring under it and climbs out again.
void Dip(int32_t wkID, const std::string& kind) {
  PlayerRecord& p = Seat(wkID);
  const std::pair<int32_t, int32_t> stopPoint{p.BackMapX, p.BackMapY};
  const bool escaped = RandomPercent(30);
  if (kind == "罠") {
    Say("むむ!?");
    WaitSec(0.5);
    if (escaped) return Say("落ちなかった!!");
  }
  Say("あれ～");
  WriteAnimation(wkID, "おりる");
  Sound(2, "QV-Pocha.wav");
  WaitSec(0.3);
  if (kind == "温泉") {
    Say("い～い湯だなぁ～～フ・フフン♪");
    WaitSec(0.5);
    PlayerPlus(wkID, 0, 0, 0, 0, 0, 0, p.sLifeMax);
    if (RandomPercent(10)) {
      std::string good = "気分がいい";
      Accident(wkID, good);
    }
  } else if (kind == "池") {
    if (ChanceAnd(Percent(30), p.sDrug >= 6)) DropHerbs(wkID, RandomRange(1, 3, 0));
  } else {
    Sound(3, "QV-Hit01.wav");
    Say("ギャフフン!!");
    WaitSec(0.5);
    PlayerPlus(wkID, 0, 0, 0, 0, 0, 0, -(p.sLife / 2));
    if (ChanceAnd(Percent(30), p.sDrug >= 4)) DropHerbs(wkID, RandomRange(1, 2, 0));
  }
  WriteAnimation(wkID, "のぼる");
  WaitSec(0.1);
  std::tie(p.BackMapX, p.BackMapY) = stopPoint;
  Redraw(wkID);
}

// The floor under the piece, until it rests. False when the piece fell on to a new place,
// which has then been dealt with completely.
bool Floor(int32_t wkID, Landing& landing) {
  PlayerRecord& p = Seat(wkID);
  MainForm& f = frmMain();
  for (;;) {
    if (p.yPos < 0) return false;
    if (p.yPos > kLowestRow) {
      p.yPos = 0;
      p.yPosMap = 0;
      p.BackMapX = std::clamp(p.xPosMap, 0, kPlayColumns - 1);
      p.BackMapY = 0;
    }
    if (p.xPos < 0) {
      p.xPos = 23 * kCell;
      p.xPosMap = 23;
    } else if (p.xPos > 23 * kCell) {
      p.xPos = 0;
      p.xPosMap = 0;
    }
    f.PicMap.refresh();
    f.PicDice.setVisible(false);

    MapCell* floor = BoardCell(p.xPosMap, p.yPosMap + 1);
    const std::string code = floor ? floor->Code : "";
    const std::string kind = CellKindName(code), variant = CellKindParam(code);
    if (kind == "なし") {
      if (!landing.MayFallFrom(p)) return true;
      Say(ChanceChain<std::string>(
          {{Percent(50), "あ～～～"}, {Percent(30), "あ～れ～"}, {Percent(30), "うわぁ～"}, {Percent(30), "きゃ～"}},
          "アレー"));
      WriteAnimation(wkID, "おりる");
      continue;
    }
    if (kind == "ひび") {
      if (CrackGivesWay(wkID, *floor, variant)) continue;
      return true;
    }
    if (kind == "別れ穴") {
      if (!landing.MayFallFrom(p)) return true;
      WaitSec(0.5);
      Say("あれ～～～");
      const bool left = variant == "1" ? RandomPercent(50) : variant == "2" ? RandomPercent(70) : !RandomPercent(70);
      if (p.EndingFlug) return true;
      WriteAnimation(wkID, left ? "落ちる左" : "落ちる右");
      // The new place is dealt with there; its cell must not act a second time here.
      StopMap(wkID, landing);
      return false;
    }
    if (kind == "池" || kind == "罠" || kind == "温泉") {
      Dip(wkID, kind);
      return true;
    }
    if (kind != "壁" && kind != "ハシゴ") {
      WriteAnimation(wkID, "おりる");
      WaitSec(0.3);
    }
    return true;
  }
}

// Grass, trees and pillars: the monster met after the turn.
void Thicket(PlayerRecord& p, int32_t level, const std::string& variant) {
  if (RandomPercent(70)) p.sMonsterLv = level;
  if (ChanceAnd(Percent(90), variant == "2")) p.sMonsterLv = level;
  if (p.sMonsterLv > 0) p.sMonsterLv = level;
}

void EmptyCell(int32_t wkID) {
  Seat(wkID).sMonsterLv = 0;
  std::string act = ChanceChain<std::string>(
      {{OneIn(10), "薬草発見"}, {OneIn(10), "お金を拾う"}, {OneIn(10), "転んだ"}, {OneIn(50), "気分がいい"}}, "");
  if (!act.empty()) Accident(wkID, act);
}

void Balance() {
  Say("プレイヤー全員を同じレベルにしよう。");
  WaitSec(1);
  GameData& g = Game();
  int32_t top = 0;
  for (size_t i = 0; i < 4; ++i)
    if (g.Players[i].sUser != 0) top = std::max(top, g.Players[i].sLevel);
  for (int32_t i = 0; i < 4; ++i) {
    PlayerRecord& p = Seat(i);
    if (p.sUser == 0) continue;
    // The panel holds levels at its limit: a level above it (a damaged record) is never reached.
    for (int32_t before = p.sLevel - 1; p.sLevel < top && p.sLevel > before;) {
      before = p.sLevel;
      LevelUp(i);
    }
  }
}

void MonstersFriend() {
  Say("モンスターよ、強くなれ～!!");
  WaitSec(1.5);
  for (PlayerRecord& m : Game().Monsters) {
    if (!RandomPercent(25)) continue;
    m.sLifeMax += RandomRange(5, 12, 0);
    m.sLife = m.sLifeMax;
    m.sStr += RandomRange(2, 4, 0);
    m.sLuck += RandomRange(2, 5, 0);
    m.sExp += RandomRange(5, 10, 0);
    m.sLevel += 1;
    Say(m.sColor + m.sName + "{0&}がレベルアップ");
    WaitSec(0.08);
  }
}

void Gathering(int32_t wkID) {
  Say(sys::formatTime(std::time(nullptr), "h時") + "ダヨ!　全員集合!!");
  WaitSec(0.5);
  PlayerRecord& mover = Seat(wkID);
  for (int32_t i = 0; i < 4; ++i) {
    PlayerRecord& p = Seat(i);
    // A player who has finished stays off the board.
    if (i == wkID || p.sUser == 0 || p.EndingFlug) continue;
    p.xPos = mover.xPosMap * kCell;
    p.yPos = mover.yPosMap * kCell;
    p.xPosMap = p.BackMapX = mover.xPosMap;
    p.yPosMap = p.BackMapY = mover.yPosMap;
    Redraw(i);
    WaitSec(0.4);
  }
  mover.BackMapX = mover.xPosMap;
  mover.BackMapY = mover.yPosMap;
  WaitSec(0.5);
}

void TreasureBox(int32_t wkID, MapCell& box) {
  Say("やった!! 宝箱を見つけた!!");
  static const char* const kContents[] = {"金銀財宝", "薬草", "「命の源」", "「力の源」", "「運の源」"};
  for (int k = 0; k < 5; ++k) {
    WriteMessage(std::string("宝箱には、") + kContents[k] + "が・・・入って", true);
    WaitSec(0.3);
    if (RandomPercent(50)) {
      Say("た");
      switch (k) {
        case 0: PlayerPlus(wkID, 20); break;
        case 1: PlayerPlus(wkID, 0, RandomRange(1, 3, 0)); break;
        case 2: PlayerPlus(wkID, 0, 0, 5); break;
        case 3: PlayerPlus(wkID, 0, 0, 0, RandomRange(1, 3, 0)); break;
        default: PlayerPlus(wkID, 0, 0, 0, 0, RandomRange(1, 3, 0)); break;
      }
    } else {
      Say("なかった");
    }
    WaitSec(0.5);
  }
  SetMapCell(box, "00");
  DrawMap();
  Redraw(wkID);
}

void Fountain(int32_t wkID) {
  PlayerRecord& p = Seat(wkID);
  std::string gain;
  if (ChanceAnd(Percent(50), p.sLifeMax > p.sLife + 10)) {
    gain = "体力が全回復";
    PlayerPlus(wkID, 0, 0, 0, 0, 0, 0, p.sLifeMax);
  } else {
    switch (FirstChance({Percent(50), Percent(50), Percent(50)})) {
      case 0:
        gain = "力が１アップ!";
        PlayerPlus(wkID, 0, 0, 0, 1);
        break;
      case 1:
        gain = "運が１アップ!";
        PlayerPlus(wkID, 0, 0, 0, 0, 1);
        break;
      case 2:
        gain = "力と運が１アップ!";
        PlayerPlus(wkID, 0, 0, 0, 1, 1);
        break;
      default: break;
    }
  }
  Say("{1&AAF}{1&AFF}噴水{0&}:" + gain + " ({1&0FF}ここがストップポイントになります{0&})");
  WaitSec(0.5);
  p.BackMapX = p.xPosMap;
  p.BackMapY = p.yPosMap;
  WaitSec(1);
  if (RandomPercent(30)) p.sMonsterLv = 1;
}

void Sign(int32_t wkID, std::string direction) {
  Say("矢印の方向へ");
  if (direction == "？") {
    static const char* const kWays[] = {"左", "右", "上", "？"};
    direction = kWays[RandomRange(0, 3, 0)];
  }
  if (direction == "左" || direction == "右") {
    Init12Action(wkID, "サイコロ振った(" + direction + ")", "3");
  } else if (direction == "上") {
    PlayerRecord& p = Seat(wkID);
    // Up a storey at a time until a floor holds the piece or it has climbed to the top.
    for (;;) {
      WriteAnimation(wkID, "のぼる");
      WriteAnimation(wkID, "のぼる");
      if (p.yPosMap < 2) return Init20Goal(wkID);
      if (CodeAt(p.xPosMap, p.yPosMap + 1) != "00") return Init13StopMap(wkID);
    }
  }
}

// The cell the piece stands on acts.
void Stand(int32_t wkID, Landing& landing) {
  PlayerRecord& p = Seat(wkID);
  MapCell* cell = BoardCell(p.xPosMap, p.yPosMap);
  const std::string code = cell ? cell->Code : "";
  const std::string kind = CellKindName(code), variant = CellKindParam(code);

  if (kind == "別れ穴") {
    if (!landing.MayFallFrom(p)) return;
    WaitSec(0.5);
    Say("あれ～～～");
    const int32_t leftChance = variant == "1" ? 70 : variant == "2" ? 50 : 30;
    const bool left = RandomPercent(leftChance);
    if (p.EndingFlug) return;
    WriteAnimation(wkID, left ? "落ちる左1" : "落ちる右1");
    return StopMap(wkID, landing);
  }
  if (kind == "ヴォラク") {
    WriteWindow(wkID, true, "", true);
    frmMain().PicWinBase.setVisible(true);
    const int32_t n = static_cast<int32_t>(sys::val(variant));
    if (n >= 1 && n <= 5 && p.sTimes[static_cast<size_t>(n)] < 10) Init25MeetVorak(wkID, variant);
    return;
  }
  if (kind == "草") return Thicket(p, 1, variant);
  if (kind == "木") return Thicket(p, 2, variant);
  if (kind == "柱") return Thicket(p, 3, variant);
  if (kind == "なし" || kind == "開始位置") return EmptyCell(wkID);
  if (kind == "天秤") return Balance();
  if (kind == "料金所") {
    Init20Ryokinjyo(wkID);
    return;
  }
  if (kind == "リセット") {
    Say("モンスター達が元に戻った!!");
    WaitSec(1.5);
    return InitMonsterTable();
  }
  if (kind == "敵の味方") return MonstersFriend();
  if (kind == "集合") return Gathering(wkID);
  if (kind == "老人") return Init20Roujin(wkID);
  if (kind == "神様") return Init20God(wkID);
  if (kind == "宝箱") return TreasureBox(wkID, *cell);
  if (kind == "小僧") {
    p.sMonsterLv = 4;
    return;
  }
  if (kind == "噴水") return Fountain(wkID);
  if (kind == "看板") return Sign(wkID, variant);

  if (kind == "宿屋") {
    Init20Inn(wkID);
  } else if (kind == "道場" || kind == "闇の道場") {
    Init20Gymnasium(wkID, kind == "闇の道場");
  } else if (kind == "薬屋") {
    Init20Drug(wkID);
  } else if (kind == "色々") {
    Init20Sougou(wkID);
  } else if (kind == "ゲームセンター") {
    Init20Game(wkID);
  } else if (kind == "ゴール") {
    Init20Goal(wkID);
  } else {
    return;
  }
  WaitSec(1);
}

void StopMap(int32_t wkID, Landing& landing) {
  if (Floor(wkID, landing)) Stand(wkID, landing);
}

}  // namespace

void Init13StopMap(int32_t wkID) {
  if (wkID < 0 || wkID > 3) return;
  Landing landing;
  StopMap(wkID, landing);
}
