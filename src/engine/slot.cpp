#include "engine/slot.h"

#include <string>

#include "data/game_data.h"
#include "engine/minigames.h"
#include "engine/stats.h"
#include "gfx/blit.h"
#include "gfx/color.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "sys/text.h"
#include "system/bitmap.h"
#include "system/chances.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

constexpr int32_t kCell = 38;     // one symbol on the strip
constexpr int32_t kStrip = 266;   // seven symbols; the strip repeats the first below them
constexpr int32_t kReplay = 100;  // a line of replays scores this mark, not points
constexpr std::array<int32_t, 7> kPoints{64, 32, 16, 8, 4, 3, kReplay};
constexpr std::array<std::array<int, 3>, 8> kLines{
    {{0, 1, 2}, {0, 4, 8}, {0, 3, 6}, {1, 4, 7}, {3, 4, 5}, {6, 7, 8}, {6, 4, 2}, {2, 5, 8}}};

const PrizeRung kLadder[] = {
    {.message = "うーん。薬草1個あげよう", .drug = 1},
    {.message = "ついてるねぇ。運が1あがるよ!", .luck = 1},
    {.message = "すごいねぇ。最大体力も5アップだね!", .lifeMax = 5},
    {.message = "うーん。力も3ついちゃうね", .str = 3},
    {.message = "うーん。経験を10つけちゃう", .exp = 10},
    {.message = "うーん。スコア50点つけちゃう", .score = 50},
};
constexpr std::array<int32_t, 6> kRungAbove{0, 3, 7, 15, 31, 63};

bool isCorner(int i) { return i % 2 == 0 && i != 4; }

// Pixels a spinning reel moves a frame: the centre slowest, the others each at its own pace.
double speed(int i) {
  if (i == 4) return 1;
  return i % 2 == 1 ? i / 2.0 + 2 : i / 5.0 + 2;
}

// The distance each reel still runs once stopped, in whole symbols, drawn in reel order.
int32_t drawDistance(int i) {
  if (i == 4) return kCell * (RandomRange(0, 8, 0) + 30);
  return isCorner(i) ? kCell * (RandomRange(0, 5, 0) + 8) : kCell * (RandomRange(0, 8, 0) + 15);
}

}  // namespace

SlotMachine::SlotMachine(int32_t wkID) : id_(wkID), human_(Game().Players[static_cast<size_t>(wkID)].sUser == 1) {}

void SlotMachine::drawReel(int i) {
  gfx::Surface& win = frmMain().PicWin.surface();
  TransBlt(win, win, frmPic().PicSlot.surface(), 0, Pos[i], 60, Pos[i] + kCell, 64 * (i % 3) + 5, 43 * (i / 3) + 30,
           static_cast<int32_t>(gfx::kMagenta), 60, kCell);
}

void SlotMachine::Count() {
  MainForm& f = frmMain();
  const gfx::Surface& back = frmPic().PicCasino[0].surface();
  const int32_t step = T < D ? -1 : 1;
  for (int32_t c = D;; c += step) {
    WaitSec(0);
    gfx::bitBlt(f.PicWin.surface(), 130, 160, 70, 40, back, 130, 160);
    f.UCFt.SetFontSize(14);
    f.UCFt.SetDefaultColor(static_cast<int32_t>(gfx::rgb(150, 150, 150)), static_cast<int32_t>(gfx::rgb(255, 255, 255)),
                           0);
    f.UCFt.FontWrite(f.PicWin.surface(), "{K&1}" + sys::format(static_cast<double>(c), "0000"), 137, 167);
    f.PicWin.refresh();
    WaitSec(Fixed::fromRaw(500));
    if (c == T) break;
  }
  D = T;
}

void SlotMachine::BeginSpin() {
  for (int i = 0; i < 9; ++i) Dist[i] = drawDistance(i);
  ShowEventPicture(frmPic().PicCasino[0].surface());
  Count();
  Menu().MenuCommand = "はい";
  MakeMenu("はい", id_);
  taken_ = false;
  WriteMessage("5秒以内にストップって、言って下さい。", false);
  StopWatch(5, true);
}

bool SlotMachine::Frame() {
  MainForm& f = frmMain();
  std::string& command = Menu().MenuCommand;
  WaitSec(0);
  if (sys::val(StopWatch(5, false)) > 5.0) command = "選択";
  if (command != "はい" && !taken_) {
    taken_ = true;
    f.PicMenu.setVisible(false);
    for (int i = 0; i < 9; ++i) Dist[i] += Pos[i];
  }
  bool moved = false;
  for (int i = 0; i < 9; ++i) {
    if (Dist[i] < 1) {
      if (Stopped[i] == 0) {
        PlaySound(i, Game().WavFolder + "QV-Pai.wav", false, true, false, 0);
        Stopped[i] = 1;
      }
      continue;
    }
    // A computer says stop by chance; the chance is drawn for every running reel all the same.
    if (ChanceAnd(Percent(10), !human_)) command = "決定";
    if (command != "はい") {
      --Pos[i];
      --Dist[i];
    } else {
      Pos[i] = sys::roundInt(Pos[i] - speed(i));
    }
    if (Pos[i] < 1) Pos[i] += kStrip;
    drawReel(i);
    moved = true;
  }
  f.PicWin.refresh();
  WaitSec(Fixed::fromRaw(10));
  return moved;
}

bool SlotMachine::Evaluate() {
  std::array<int32_t, 9> symbols{};
  for (int i = 0; i < 9; ++i) symbols[i] = SlotSymbol(Pos[i]);
  bool replay = false;
  for (int32_t win : SlotLineWins(symbols)) {
    if (win == kReplay) {
      replay = true;
    } else if (win != 0) {
      T += win;
      Count();
    }
  }
  Count();
  return replay;
}

int32_t SlotSymbol(int32_t pos) {
  const int32_t s = pos / kCell;
  return s > 6 || s < 0 ? 0 : s;
}

std::array<int32_t, 8> SlotLineWins(const std::array<int32_t, 9>& symbols) {
  std::array<int32_t, 8> wins{};
  for (size_t k = 0; k < kLines.size(); ++k) {
    const auto [a, b, c] = kLines[k];
    if (symbols[a] == symbols[b] && symbols[b] == symbols[c]) wins[k] = kPoints[static_cast<size_t>(symbols[a])];
  }
  return wins;
}

void Init21Slot(int32_t wkID) {
  if (wkID < 0 || wkID > 3) return;
  WriteWindow(wkID, true, "賭博場", true);
  SlotMachine m(wkID);
  bool replay = true;
  while (replay) {
    m.BeginSpin();
    do {
      if (!FramePumped()) return;
    } while (m.Frame());
    replay = m.Evaluate();
  }

  if (m.T == 0) {
    WriteMessage("惜しかったねぇ。また、おいでよ", false);
  } else {
    WriteMessage("はーい。おめでとさんね。" + std::to_string(m.T) + "GPの当たりだよ", false);
    int32_t reached = 0;
    for (int32_t above : kRungAbove) reached += m.T > above ? 1 : 0;
    ClimbPrizes(wkID, kLadder, reached, Fixed(2), true);
    while (m.T > 0) {
      --m.T;
      PlayerPlus(wkID, 1);
      m.Count();
    }
  }
  WaitSec(Fixed::fromRaw(15000));
}
