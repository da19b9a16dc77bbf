#include "presentation/status_panel.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "engine/stats.h"
#include "gfx/blit.h"
#include "presentation/message.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "sys/number.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

constexpr int kPanelWidth = 192;
constexpr int kLongBar = 153, kShortBar = 48;

// Bar fill widths: the design's real-number scale, rounded half to even, never negative.
int32_t barWidth(double scale, int32_t value, int32_t full) {
  return std::clamp(sys::roundInt(scale * value), 0, full);
}

const char* rankColor(int32_t rank) {
  switch (rank) {
    case 1: return "{1&F00}{2&FFA}";
    case 2: return "{1&FF0}{2&000}";
    case 3: return "{1&F0F}{2&000}";
    case 4: return "{1&0F0}{2&000}";
    default: return "";
  }
}

void copyBar(gfx::Surface& panel, int x, int y, int w, int h, int barY) {
  gfx::bitBlt(panel, x, y, w, h, frmPic().PicBar.surface(), 0, barY);
}

}  // namespace

void WriteScoreSet(bool AllActiove, bool LastScore) {
  GameData& g = Game();
  MainForm& f = frmMain();
  int n = 0;
  for (int i = 0; i < 4; ++i)
    if (g.Players[static_cast<size_t>(i)].sUser != 0) ++n;

  if (!GameRunning()) {
    for (int i = 0; i < 4; ++i) {
      f.PicPlayer[i].setVisible(true);
      f.PicPlayer[i].setLeft(16 + kPanelWidth * i);
    }
  } else {
    static const std::array<std::vector<int>, 5> kLefts{{
        {},
        {304},
        {112, 496},
        {16, 304, 594},
        {16, 208, 400, 592},
    }};
    const std::vector<int>& lefts = kLefts[static_cast<size_t>(n)];
    size_t next = 0;
    for (int i = 0; i < 4; ++i) {
      ui::PictureBox& panel = f.PicPlayer[i];
      if (g.Players[static_cast<size_t>(i)].sUser != 0) {
        panel.setVisible(true);
        panel.setLeft(lefts[next++]);
      } else {
        panel.setVisible(false);
      }
    }
  }

  for (int i = 0; i < 4; ++i) {
    if (AllActiove) {
      g.CurrentPlayer = g.Players[static_cast<size_t>(i)].sUser == 1 ? i : -1;
      WriteScore(i, LastScore, false);
    } else {
      WriteScore(i, false, false);
    }
  }
}

void WriteScore(int32_t ID, bool LastScore, bool ShowRank) {
  if (ID < 0 || ID > 3) return;
  GameData& g = Game();
  MainForm& f = frmMain();
  PlayerRecord& p = g.Players[static_cast<size_t>(ID)];
  ui::PictureBox& box = f.PicPlayer[ID];
  UCFont& ft = f.UCFt;

  for (;;) {
    gfx::Surface& panel = box.surface();
    gfx::bitBlt(panel, 0, 0, box.width(), box.height(), frmPic().PicPlayer.surface(), kPanelWidth * ID, 0);
    if (p.sUser == 0) {
      f.PicMiniMap[ID].setVisible(false);
      box.refresh();
      return;
    }
    f.PicMiniMap[ID].setVisible(true);

    p.sLevel = std::clamp(p.sLevel, 1, 99);
    p.sMoney = std::clamp(p.sMoney, 0, 999);
    p.sDrug = std::clamp(p.sDrug, 0, 999);
    p.sLifeMax = std::min(p.sLifeMax, 129);
    p.sLife = std::max(p.sLife, 0);
    p.sLife = std::min(p.sLife, p.sLifeMax);
    // A mark of 0 or below (only a damaged record has one) would divide by zero in the bar and
    // never stop levelling up.
    if (p.sExpNext < 1) p.sExpNext = 1;

    ft.SetFontSize(12);
    ft.FontWrite(panel, p.sColor + p.sName, 36, 5, 80, 32, "");
    ft.FontWrite(panel, std::to_string(p.sLevel), 76, 5, 100, 32, "R");

    copyBar(panel, 35, 32, kLongBar, 16, 0);
    copyBar(panel, 35, 32, std::max(p.sLifeMax, 0), 16, 16);
    copyBar(panel, 35, 32, p.sLife, 16, 32);

    copyBar(panel, 35, 51, kLongBar, 16, 0);
    copyBar(panel, 35, 51, barWidth(static_cast<double>(kLongBar) / p.sExpNext, p.sExp, kLongBar), 16, 48);

    p.sStr = std::clamp(p.sStr, 1, 99);
    copyBar(panel, 35, 69, kShortBar, 8, 64);
    copyBar(panel, 35, 69, barWidth(48.0 / 100, p.sStr, kShortBar), 8, 72);
    p.sLuck = std::clamp(p.sLuck, 1, 99);
    copyBar(panel, 35, 76, kShortBar, 8, 64);
    copyBar(panel, 35, 76, barWidth(48.0 / 100, p.sLuck, kShortBar), 8, 80);

    ft.SetFontSize(14);
    ft.FontWrite(panel, "{1&FFA}{2&AA8}" + FormatNum(std::to_string(p.sMoney), 5, 3), 32, 87, 48, 16, "RV");
    ft.FontWrite(panel, "{1&AFA}{2&8A8}" + FormatNum(std::to_string(p.sDrug), 5, 3), 32, 110, 48, 16, "RV");
    ft.FontWrite(panel, "{1&FFF}{2&8A8}" + FormatNum(std::to_string(LastScore ? p.sScoreAll : p.sScore), 5, 0), 32, 151,
                 48, 16, "RV");
    if (ShowRank) {
      ft.SetFontSize(20);
      ft.FontWrite(panel, std::string(rankColor(p.sRank)) + std::to_string(p.sRank) + "位", 90, 102, 183, 40, "CV");
    }

    if (p.sExp < 0) p.sExp = 0;
    const bool levelUp = p.sExp >= p.sExpNext;
    if (levelUp) {
      p.sExp -= p.sExpNext;
      p.sExpNext = sys::roundInt(Fixed(p.sExpNext) + p.sExpAd);
    }
    box.refresh();
    if (!levelUp) return;

    WriteMessage(p.sColor + p.sName + "{0&}は、{1&FEE}レベルアップ", false);
    PlaySound(1, g.WavFolder + "QV-LVUP.wav", false, true, false, 0);
    WaitSec(Fixed::fromRaw(5000));
    LevelUp(ID);
  }
}
