#include "screens/map_editor.h"

#include <algorithm>

#include "data/board.h"
#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/board_draw.h"
#include "presentation/main_form.h"
#include "system/window_helpers.h"
#include "ui/keys.h"
#include "ui/message_box.h"

namespace {

const char* const kMapFilter = "MAPﾌｧｲﾙ(*.map)/*.map/全てのﾌｧｲﾙ(*.*)/*.*";
constexpr int kCell = 32;

// The code of a kind-table position: its column and row as hex digits.
std::string codeAt(int32_t column, int32_t row) {
  static const char kHex[] = "0123456789ABCDEF";
  return {kHex[std::clamp(column, 0, 15)], kHex[std::clamp(row, 0, 15)]};
}

// Lays the floating tile over a place of the play area and gives it the palette's tile there.
void liftTile(int32_t left, int32_t top, int32_t tileX, int32_t tileY) {
  MainForm& f = frmMain();
  f.PicBox.move(left, top, kCell, kCell);
  gfx::bitBlt(f.PicBox.surface(), 0, 0, kCell, kCell, f.PicEditMap.surface(), tileX, tileY);
  f.PicBox.refresh();
}

}  // namespace

void SetMapChanged(bool changed) {
  Game().MapChanged = changed;
  MainForm& f = frmMain();
  f.UcBtnClose[GetTagToIndex("上書")].setEnabled(changed);
}

void PicEditMap_MouseDown(int32_t /*Button*/, int32_t /*Shift*/, int32_t X, int32_t Y) {
  MainForm& f = frmMain();
  const int32_t column = std::clamp(X / kCell, 0, f.PicEditMap.width() / kCell - 1);
  const int32_t row = std::clamp(Y / kCell, 0, f.PicEditMap.height() / kCell - 1);
  f.PicBox.Tag = codeAt(column, row);
  liftTile(f.PicEditBack.left() + f.PicEditMap.left() + kCell * column,
           f.PicEditBack.top() + f.PicEditMap.top() + kCell * row, kCell * column, kCell * row);
  DragPicBox();
}

void DragPicBox() {
  MainForm& f = frmMain();
  ui::PictureBox& box = f.PicBox;
  box.setVisible(true);
  box.refresh();
  box.zorder(0);
  DragWindow(box);

  // The point 12 pixels inside the tile's corner decides the cell, so a tile let go a little
  // above or left of the board still lands on its edge.
  const int32_t px = box.left() - f.PicMap.left() + 12;
  const int32_t py = box.top() - f.PicMap.top() + 12;
  const int32_t column = px / kCell, row = py / kCell;
  // Only the played cells are kept in a map file: a drop right of them would be lost unseen.
  if (px >= 0 && py >= 0 && column < kPlayColumns && row < kPlayRows) {
    f.LastDropCode = box.Tag;
    f.LastDropX = column;
    f.LastDropY = row;
    SetMapCell(Game().Board[static_cast<size_t>(column)][static_cast<size_t>(row)], box.Tag);
    DrawMap();
    SetMapChanged(true);
  }
  box.setVisible(false);
}

void PicMap_MouseDown(int32_t Button, int32_t Shift, int32_t X, int32_t Y) {
  MainForm& f = frmMain();
  if (!f.PicEditBack.visible()) return;
  GameData& g = Game();
  const int32_t column = std::clamp(X / kCell, 0, kPlayColumns - 1);
  const int32_t row = std::clamp(Y / kCell, 0, kPlayRows - 1);
  MapCell& cell = g.Board[static_cast<size_t>(column)][static_cast<size_t>(row)];
  liftTile(f.PicMap.left() + kCell * column, f.PicMap.top() + kCell * row, kCell * cell.ChipX, kCell * cell.ChipY);

  if (Button == ui::kRightButton) {
    cell.Code = "00";
    DrawMap();
    SetMapChanged(true);
    return;
  }
  if (!f.LastDropCode.empty() && Shift == ui::kShiftMask) {
    const int32_t stepX = column < f.LastDropX ? -1 : 1, stepY = row < f.LastDropY ? -1 : 1;
    for (int32_t x = f.LastDropX;; x += stepX) {
      for (int32_t y = f.LastDropY;; y += stepY) {
        g.Board[static_cast<size_t>(x)][static_cast<size_t>(y)].Code = f.LastDropCode;
        if (y == row) break;
      }
      if (x == column) break;
    }
    SetMapChanged(true);
  }
  DrawMap();
  f.PicBox.Tag = cell.Code.empty() ? "00" : cell.Code;
  DragPicBox();
}

void PicEditMap_MouseMove(int32_t /*Button*/, int32_t /*Shift*/, int32_t X, int32_t Y) {
  ui::PictureBox& pal = frmMain().PicEditMap;
  pal.ToolTipText = CellHelpText(
      codeAt(std::clamp(X / kCell, 0, pal.width() / kCell - 1), std::clamp(Y / kCell, 0, pal.height() / kCell - 1)));
}

void PicMap_MouseMove(int32_t /*Button*/, int32_t /*Shift*/, int32_t X, int32_t Y) {
  const int32_t column = std::clamp(X / kCell, 0, kBoardColumns - 1);
  const int32_t row = std::clamp(Y / kCell, 0, kPlayRows - 1);
  frmMain().PicMap.ToolTipText = CellHelpText(Game().Board[static_cast<size_t>(column)][static_cast<size_t>(row)].Code);
}

void PicPlayer_MouseMove(int32_t Index, int32_t /*Button*/, int32_t /*Shift*/, int32_t X, int32_t Y) {
  const PlayerRecord& p = Game().Players[static_cast<size_t>(Index)];
  std::string tip;
  if (X >= 35 && X <= 188 && Y >= 33 && Y <= 48)
    tip = "体力:" + std::to_string(p.sLife) + "/最大(" + std::to_string(p.sLifeMax) + ")";
  else if (X >= 35 && X <= 188 && Y >= 51 && Y <= 66)
    tip = "経験値:" + std::to_string(p.sExp) + "/次(" + std::to_string(p.sExpNext) + ")";
  else if (X >= 35 && X <= 84 && Y >= 69 && Y <= 84)
    tip = "力:" + std::to_string(p.sStr) + "/運:" + std::to_string(p.sLuck);
  frmMain().PicPlayer[Index].ToolTipText = tip;
}

void PicStatusUp_MouseDown(int32_t /*Button*/, int32_t /*Shift*/, int32_t /*X*/, int32_t /*Y*/) {
  DragWindow(frmMain().window);
}

void LoadMapMae() {
  const std::string path = ShowFileDialog(&frmMain().window, kMapFilter, Game().MapFolder, "", "", "LOAD");
  if (path.empty()) return;
  if (!ReadMapFile(path)) ui::MsgBox("マップを読み込めませんでした。", ui::kMbOkOnly | ui::kMbExclamation, "読込み");
}

bool SavedMapMae(const std::string& wkFileName) {
  const std::string path = ShowFileDialog(&frmMain().window, kMapFilter, Game().MapFolder, wkFileName, "", "SAVE");
  if (path.empty()) return false;
  // A save that did not happen must not pass for one: the board would be thrown away.
  if (!WriteMapFile(path)) {
    ui::MsgBox("マップを保存できませんでした。", ui::kMbOkOnly | ui::kMbExclamation, "保存確認");
    return false;
  }
  return true;
}
