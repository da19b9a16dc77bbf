#include "presentation/game_windows.h"

#include <cstddef>

#include "data/game_data.h"
#include "gfx/color.h"
#include "presentation/main_form.h"
#include "system/bitmap.h"
#include "system/picture_store.h"

void WriteWindowMini(int32_t ID) {
  if (ID < 0 || ID > 3) return;
  const PlayerRecord& p = Game().Players[static_cast<size_t>(ID)];
  MainForm& f = frmMain();
  ui::PictureBox& mini = f.PicMiniMap[ID];
  gfx::Surface& s = mini.surface();
  const int32_t key = static_cast<int32_t>(gfx::kMagenta);
  if (p.yPos >= 0) {
    TransBlt(s, s, f.PicMap.surface(), p.xPos + 3, p.yPos + 3, p.xPos + 25, p.yPos + 25, 0, 0, key, mini.width(),
             mini.height());
  } else {
    mini.Cls();
    const gfx::Surface& logo = frmPic().PicTitle.surface();
    TransBlt(s, s, logo, 0, 0, logo.width(), logo.height(), 0, 0, key, mini.width(), mini.height());
  }
  mini.refresh();
}

// Not built yet: the procedure arrives with its own change; until then it does nothing.
void WriteWindow(int32_t, bool, const std::string&, bool) {}

void WriteWindowCopy(int32_t) {}
