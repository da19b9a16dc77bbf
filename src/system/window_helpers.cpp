#include "system/window_helpers.h"

#include "ui/toolkit.h"
#include "ui/window.h"

void FitFormWindow(ui::Window& Form, int32_t& Width, int32_t& Height, bool /*WithFrame*/, int32_t Left, int32_t Top) {
  if (!ui::hasBackend()) return;
  const gfx::Rect desk = ui::backend().desktopRect();
  const int32_t x = Left != -1 ? Left : desk.left + (desk.width() - Width) / 2;
  const int32_t y = Top != -1 ? Top : desk.top + (desk.height() - Height) / 2;
  Form.moveWindow(x, y);
}

void DragWindow(ui::Window& Form) {
  ui::releaseCapture();
  ui::DragControl(Form);
}
