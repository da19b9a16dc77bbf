#include "screens/event_window.h"

#include "gfx/color.h"
#include "presentation/main_form.h"
#include "system/picture_store.h"

void PicWin_MouseDown(int32_t, int32_t, int32_t, int32_t) {
  ui::ImageControl& arrow = frmMain().ImgArrow;
  if (arrow.visible()) arrow.Tag = "HIT";
}

void PlaceImgArrow() {
  MainForm& f = frmMain();
  ui::ImageControl& arrow = f.ImgArrow;
  arrow.setContainer(&f.PicWin);
  arrow.setPicture(frmPic().ImgArrow);
  arrow.setTransparentColor(gfx::kMagenta);
  arrow.MouseDown = [&arrow](int b, int s, int x, int y) { PicWin_MouseDown(b, s, x + arrow.left(), y + arrow.top()); };
}
