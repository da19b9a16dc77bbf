#include "presentation/board_draw.h"

#include <string>

#include "data/board.h"
#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "system/bitmap.h"
#include "system/picture_store.h"

namespace {

constexpr int kCell = 32;
constexpr int kSheetColumns = 15, kSheetRows = 3;

bool isSeeThrough(const std::string& code) {
  static const char* const kCodes[] = {"10", "20", "30", "11", "21", "31", "12", "22", "32"};
  for (const char* c : kCodes)
    if (code == c) return true;
  return false;
}

}  // namespace

BoardDrawState& boardDraw() {
  static BoardDrawState s;
  return s;
}

void DrawMap() {
  GameData& g = Game();
  MainForm& f = frmMain();
  PictureStore& pic = frmPic();
  BoardDrawState& st = boardDraw();
  const gfx::Surface& sheet = pic.PicMap.surface();
  const gfx::Surface& sky = pic.PicMapSky.surface();
  gfx::Surface& board = f.PicMap.surface();

  st.MapMaskColor = static_cast<int32_t>(sheet.pixel(0, 0));
  st.MapHoleColor = static_cast<int32_t>(sheet.pixel(48, 79));
  g.StartX = 0;
  g.StartY = 8;

  const int skyHeight = kPlayRows * kCell;
  for (int i = 0; i < kPlayColumns; ++i)
    TransBlt(board, board, sky, 0, 0, kCell, skyHeight, i * kCell, 0, st.MapMaskColor);

  const bool running = GameRunning();
  ui::PictureBox& scratch = pic.PicDummy;
  for (int r = 0; r < kPlayRows; ++r) {
    const int y = r * kCell;
    for (int c = 0; c < kPlayColumns; ++c) {
      const int x = c * kCell;
      MapCell& cell = g.Board[static_cast<size_t>(c)][static_cast<size_t>(r)];
      const std::string code = cell.Code;
      SetMapCell(cell, code);
      const int tx = cell.ChipX * kCell, ty = cell.ChipY * kCell;
      auto wall = [&] { TransBlt(board, board, sky, kCell, y, 2 * kCell, y + kCell, x, y, st.MapMaskColor); };
      auto tile = [&] { TransBlt(board, board, sheet, tx, ty, tx + kCell, ty + kCell, x, y, st.MapMaskColor); };

      if (code == "00") continue;
      if (code == "01") {
        wall();
      } else if (code == "02") {
        g.StartX = c;
        g.StartY = r;
        if (!running) tile();
      } else if (isSeeThrough(code)) {
        // The tile's holes show the sky of this row, its background the wall of this row.
        if (scratch.width() != kCell || scratch.height() != kCell)
          scratch.move(scratch.left(), scratch.top(), kCell, kCell);
        gfx::Surface& work = scratch.surface();
        gfx::bitBlt(work, 0, 0, kCell, kCell, sky, 0, y);
        TransBlt(work, work, sheet, tx, ty, tx + kCell, ty + kCell, 0, 0, st.MapHoleColor);
        wall();
        TransBlt(board, board, work, 0, 0, kCell, kCell, x, y, st.MapMaskColor);
      } else if (cell.ChipX < kSheetColumns && cell.ChipY < kSheetRows) {
        tile();
      }
      // A code beyond the sheet names no kind: its cell stays plain sky.
    }
  }

  if (f.PicMapUra.width() != f.PicMap.width() || f.PicMapUra.height() != f.PicMap.height())
    f.PicMapUra.move(f.PicMapUra.left(), f.PicMapUra.top(), f.PicMap.width(), f.PicMap.height());
  gfx::bitBlt(f.PicMapUra.surface(), 0, 0, f.PicMap.width(), f.PicMap.height(), board, 0, 0);
  f.PicMap.refresh();
}

void InstallDrawMapHook() {
  Hooks().DrawMap = [] { DrawMap(); };
}
