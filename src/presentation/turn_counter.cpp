#include "presentation/turn_counter.h"

#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/main_form.h"
#include "sys/text.h"

void WriteSouba(bool iVisible) {
  MainForm& f = frmMain();
  if (!iVisible) {
    f.PicSouba.setVisible(false);
    return;
  }
  f.PicSouba.move(220, 3, 340, 17);
  gfx::Surface& s = f.PicSouba.surface();
  gfx::bitBlt(s, 0, 0, s.width(), s.height(), f.PicStatusUp.surface(), f.PicSouba.left(), f.PicSouba.top());
  f.UCFt.SetFontSize(10);
  f.UCFt.FontWrite(s, "ﾀｰﾝ" + sys::format(Game().TurnCount, "0"), 0, 0, s.width(), 17, "V");
  f.PicSouba.refresh();
  f.PicSouba.zorder(0);
  f.PicSouba.setVisible(true);
}
