#include "presentation/game_windows.h"

#include <cstddef>

#include "data/game_data.h"
#include "gfx/color.h"
#include "presentation/main_form.h"
#include "system/bitmap.h"
#include "system/picture_store.h"

namespace {

// Every view here is a magnified piece of another picture, magenta see-through; `back` shows
// where the source is see-through.
void Magnify(ui::PictureBox& view, const gfx::Surface& back, const gfx::Surface& src, int32_t left, int32_t top,
             int32_t right, int32_t bottom) {
  gfx::Surface& s = view.surface();
  TransBlt(s, back, src, left, top, right, bottom, 0, 0, static_cast<int32_t>(gfx::kMagenta), view.width(),
           view.height());
}

}  // namespace

void WriteWindowMini(int32_t ID) {
  if (ID < 0 || ID > 3) return;
  const PlayerRecord& p = Game().Players[static_cast<size_t>(ID)];
  MainForm& f = frmMain();
  ui::PictureBox& mini = f.PicMiniMap[ID];
  if (p.yPos >= 0) {
    Magnify(mini, mini.surface(), f.PicMap.surface(), p.xPos + 3, p.yPos + 3, p.xPos + 25, p.yPos + 25);
  } else {
    mini.Cls();
    const gfx::Surface& logo = frmPic().PicTitle.surface();
    Magnify(mini, mini.surface(), logo, 0, 0, logo.width(), logo.height());
  }
  mini.refresh();
}

void WriteWindow(int32_t ID, bool Orign, const std::string& wkTitle, bool iRefresh) {
  MainForm& f = frmMain();
  if (ID == -1) ID = f.WindowID;
  if (ID < 0 || ID > 4) return;
  const PlayerRecord& p = Game().Players[static_cast<size_t>(ID)];
  if (p.sUser == 0) return;
  // The frame keeps its picture; the new colour wipes an older title.
  f.PicWinBase.setBackColor(gfx::rgb(200, 200, 200));
  // The piece's cell and the top of the row below it.
  const gfx::Surface& board = Orign ? f.PicMapUra.surface() : f.PicMap.surface();
  Magnify(f.PicWin, f.PicWinBase.surface(), board, p.xPos, p.yPos, p.xPos + 32, p.yPos + 37);
  if (!wkTitle.empty()) {
    UCFont& ft = f.UCFt;
    // The renderer is shared: set what the title depends on.
    ft.SetFontSize(5);
    ft.SetFontStroke(0);
    ft.SetDefaultColor(static_cast<int32_t>(gfx::rgb(255, 255, 255)), static_cast<int32_t>(gfx::rgb(180, 180, 180)));
    ft.FontWrite(f.PicWinBase.surface(), "{K&1}" + wkTitle, 0, 0, 220, 25, "CV");
    if (iRefresh) f.PicWinBase.refresh();
  }
  f.WindowID = ID;
  f.PicWinBase.setVisible(true);
  if (iRefresh) f.PicWin.refresh();
}

void WriteWindowCopy(int32_t ID) {
  if (ID < 0 || ID > 3) return;
  MainForm& f = frmMain();
  const gfx::Surface& mini = f.PicMiniMap[ID].surface();
  Magnify(f.PicWin, f.PicWinBase.surface(), mini, 0, 0, mini.width(), mini.height());
  f.PicWin.refresh();
}
