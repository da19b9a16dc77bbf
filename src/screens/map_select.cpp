#include "screens/map_select.h"

#include <string>

#include "data/board.h"
#include "data/game_data.h"
#include "presentation/message.h"
#include "screens/frmMain.h"
#include "sys/text.h"
#include "system/utility.h"

void Init02MapListRefresh() {
  MainForm& f = frmMain();
  f.FilMap.setPattern("*.Map");
  f.FilMap.setPath(Game().MapFolder);
  f.FilMap.refresh();
  f.LstMap.clear();
  for (int i = 0; i < f.FilMap.listCount(); ++i) f.LstMap.addItem(sys::format(i + 1, "00") + "/" + f.FilMap.list(i));
}

void Init05MapSelect(int32_t& wkMapID) {
  MainForm& f = frmMain();
  GameData& g = Game();
  f.PicEnding.setVisible(false);
  f.UcSc2.setVisible(false);
  Init02MapListRefresh();
  const int32_t count = f.LstMap.listCount();
  if (count == 0) {
    // The board keeps whatever it held, but none of it is a map a game may start on.
    g.MapReady = false;
    WriteMessage("{1&F00}{2&F80}マップがありません{0&} (Vorak-Map フォルダ)", false);
    return;
  }
  if (wkMapID > count) wkMapID = 1;
  if (wkMapID < 1) wkMapID = count;
  const std::string entry = f.LstMap.list(wkMapID - 1);
  g.MapFileName = entry.substr(entry.find('/') + 1);
  // An unreadable file leaves the board as it was; the selection still moves on to it, so the
  // next step goes past it.
  g.MapReady = ReadMapFile(g.MapFolder + g.MapFileName);
  g.StageNo = wkMapID;
  WriteMapNumber(true);
  if (!g.MapReady) WriteMessage("{1&F00}{2&F80}このマップは読み込めませんでした{0&}", false);
}

void WriteMapNumber(bool /*iVisible*/) {
  const GameData& g = Game();
  WriteMessage("{1&F00}{2&FF0}選択中のマップ{0&} " + FormatNum(std::to_string(g.StageNo), 0, 5) + " ({1&0FF}{2&FFF}" +
                   AsPlainText(g.MapFileName) + "{0&})",
               false);
}
