#include "screens/start_screen.h"

#include <string>

#include "data/game_data.h"
#include "engine/stats.h"
#include "presentation/status_panel.h"
#include "screens/frmMain.h"
#include "system/media.h"
#include "system/picture_store.h"

void UcBtnMenuSt0_Click(int32_t Index) {
  PlaySound(4, Game().WavFolder + "QV-Click.wav", false, true, false, 0);
  UcBtnStart(Index);
  RefreshUC(Index);
}

void UcBtnStart(int32_t wkID) {
  if (wkID < 0 || wkID > 3) return;
  int32_t& kind = Game().PlayerKinds[static_cast<size_t>(wkID)];
  kind += 1;
  if (kind > 2) kind = 0;
  WriteScoreSet(true, false);
}

void RefreshUC(int32_t wkID) {
  MainForm& f = frmMain();
  if (wkID < 0 || wkID > 3) return;
  int32_t x = 0, y = 500;  // nobody sits here
  switch (Game().PlayerKinds[static_cast<size_t>(wkID)]) {
    case 1: x = 0, y = 400; break;
    case 2: x = 300, y = 400; break;
    default: break;
  }
  UcButton& b = f.UcBtnMenuSt0[wkID];
  b.SetButton(&frmPic().PicBtn.surface(), "", x, y, 100, 100, 6, 0, 0, "", false, b.left(), b.top(), b.width(),
              b.height());
}

void CmdPlayer_Click(int32_t Index) {
  if (Index < 0 || Index > 3) return;
  int32_t& u = Game().Players[static_cast<size_t>(Index)].sUser;
  u = u == 1 ? 2 : u == 2 ? 0 : 1;
  WriteOption();
}

void WriteOption() {
  MainForm& f = frmMain();
  for (int i = 0; i < 4; ++i) {
    switch (Game().Players[static_cast<size_t>(i)].sUser) {
      case 2: f.CmdPlayer[i].setCaption("自動"); break;
      case 1: f.CmdPlayer[i].setCaption("人間"); break;
      case 0: f.CmdPlayer[i].setCaption("なし"); break;
      default: break;
    }
  }
}

void cmdCloseOpt_Click() { frmMain().PicOpt.setVisible(false); }

void cmdDataGet_Click(int32_t Index) {
  MainForm& f = frmMain();
  if (Index == 1)
    for (int i = 0; i < 4; ++i) LevelUp(i);
  for (int i = 0; i < 4; ++i) {
    const PlayerRecord& p = Game().Players[static_cast<size_t>(i)];
    f.lblLevel[i].setCaption(std::to_string(p.sLevel));
    f.lblLife[i].setCaption(std::to_string(p.sLife));
    f.lblStr[i].setCaption(std::to_string(p.sStr));
    f.lblLuck[i].setCaption(std::to_string(p.sLuck));
  }
}
