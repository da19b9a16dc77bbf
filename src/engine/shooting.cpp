#include "engine/shooting.h"

#include <string>

#include "data/game_data.h"
#include "engine/minigames.h"
#include "engine/stats.h"
#include "gfx/color.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "system/bitmap.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

std::array<MatoRec, 4> gMato;
const char* const kPrizes[4] = {"薬草", "お金", "はずれ", "パワー"};

// A computer never chooses the gallery; should one get here, it lets go within one lap.
constexpr int32_t kComputerSteps = 21;

// The arrow is hidden whichever way the game ends, so none is left over the board.
struct ArrowShown {
  ~ArrowShown() { frmMain().ImgArrow.setVisible(false); }
};

void moveArrow(int32_t left, int32_t top) { frmMain().ImgArrow.move(left, top); }

void winHerbs(int32_t wkID, const std::string& name) {
  const int32_t n = RandomRange(1, 3, 0);
  WriteMessage(name + "は、薬草を" + std::to_string(n) + "コ手に入れた！", false);
  PlayerPlus(wkID, 0, n);
}

void winMoney(int32_t wkID, const std::string& name) {
  const int32_t n = RandomRange(1, 7, 0) + 3;
  WriteMessage(name + "は、" + std::to_string(n) + "GP手に入れた！", false);
  PlayerPlus(wkID, n);
}

void givePrize(int32_t wkID, const std::string& result) {
  const std::string name = Game().Players[static_cast<size_t>(wkID)].sName;
  if (result == "薬草" || result == "パワー" || result == "お金") {
    WriteMessage("店主「お見事」", false);
    if (result == "薬草") {
      winHerbs(wkID, name);
    } else if (result == "お金") {
      winMoney(wkID, name);
    } else {
      const int32_t n = RandomRange(1, 5, 0);
      WriteMessage(name + "は、力が" + std::to_string(n) + "アップした！", false);
      PlayerPlus(wkID, 0, 0, 0, n);
    }
  } else if (result == "はずれ" || result == "ハズレ") {
    WriteMessage("店主「よくぞ挑んだ」", false);
    WaitSec(1);
    if (RandomPercent(50)) {
      winHerbs(wkID, name);
    } else {
      winMoney(wkID, name);
    }
  } else {
    WriteMessage("店主「ありゃー、残念だったねぇ」", false);
  }
}

}  // namespace

std::array<MatoRec, 4>& MatoList() { return gMato; }

int32_t ShatekiTargetAt(int32_t x) {
  for (int32_t t = 0; t < 4; ++t) {
    const MatoRec& m = gMato[static_cast<size_t>(t)];
    if (m.X + 8 < x && x < m.X + m.Width - 10) return t;
  }
  return -1;
}

void Init21InnShateki(int32_t wkID) {
  if (wkID < 0 || wkID > 3) return;
  MainForm& f = frmMain();
  PictureStore& pic = frmPic();
  ui::ImageControl& arrow = f.ImgArrow;
  const int32_t key = static_cast<int32_t>(gfx::kMagenta);

  // Titled like the other two games, so no title of an earlier scene stays over the booth.
  WriteWindow(wkID, true, "射的場", true);
  f.PicWin.Cls();
  ShowEventPicture(pic.PicCasino[1].surface());
  gfx::Surface& win = f.PicWin.surface();
  for (int32_t i = 0; i < 4; ++i) {
    MatoRec& m = gMato[static_cast<size_t>(i)];
    m.Kind = RandomRange(0, 3, 0);
    m.X = 50 * i;
    m.Width = 50;
    m.Name = kPrizes[m.Kind];
    TransBlt(win, win, pic.PicMato.surface(), 50 * m.Kind, 0, 50 * m.Kind + 50, 100, 50 * i, 4, key);
  }
  f.PicWinBase.refresh();
  pic.PicDummy.setBackColor(gfx::kMagenta);
  pic.PicDummy.Cls();
  pic.PicDummy.move(pic.PicDummy.left(), pic.PicDummy.top(), f.PicWin.width(), f.PicWin.height());

  const int32_t W = arrow.width(), H = arrow.height();
  arrow.Tag.clear();
  int32_t y = 200 - H;
  WriteMessage("店主「当たったらあげるよ。用意はいいかい？", false);
  int32_t asked = -1;
  PushButton(asked);
  MakeMenu("はい", wkID);

  ArrowShown shown;
  const Fixed step = Fixed::fromRaw(int64_t{RandomRange(1, 90, 0)} * 10);
  const bool human = Game().Players[static_cast<size_t>(wkID)].sUser == 1;
  int32_t x = 50;
  for (int32_t steps = 1;; ++steps) {
    x += 10;
    if (x > pic.PicDummy.width()) x = 0;
    moveArrow(x - W / 2, y - H / 2);
    arrow.setVisible(true);
    WaitSec(0);
    if (!FramePumped()) return;
    WaitSec(step);
    if (!arrow.Tag.empty() || Menu().MenuCommand != "はい") break;
    if (!human && steps >= kComputerSteps) break;
  }

  arrow.Tag.clear();
  int32_t hit = -1;
  y = 200 - H;
  f.PicMenu.setVisible(false);
  std::string result;
  for (;;) {
    WaitSec(0);
    moveArrow(x - W / 2, y - H / 2);
    --y;
    if (y < 82) {
      hit = ShatekiTargetAt(x);
      WaitSec(Fixed::fromRaw(100));
    }
    if (y < 76) {
      result = "的外れ";
      break;
    }
    if (hit >= 0) {
      result = gMato[static_cast<size_t>(hit)].Name;
      break;
    }
    f.PicWin.refresh();
  }

  if (hit >= 0) {
    // The arrow quivers in the board it struck.
    for (int32_t dx : {1, -1, 0}) {
      moveArrow(x - W / 2 + dx, y - H / 2);
      WaitSec(Fixed::fromRaw(5000));
      f.PicWin.refresh();
    }
  } else {
    moveArrow(arrow.left(), 76);
    for (int i = 0; i < 26; ++i) {
      moveArrow(arrow.left(), arrow.top() + 1);
      WaitSec(Fixed::fromRaw(1));
      f.PicWin.refresh();
    }
  }
  WaitSec(Fixed::fromRaw(5000));
  givePrize(wkID, result);
  WaitSec(1);
}
