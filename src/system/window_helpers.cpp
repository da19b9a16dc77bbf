#include "system/window_helpers.h"

#include "ui/file_dialog.h"
#include "ui/toolkit.h"
#include "sys/text.h"

void FitFormWindow(ui::Window& Form, int32_t& Width, int32_t& Height, bool /*WithFrame*/, int32_t Left, int32_t Top) {
  gfx::Rect area{0, 0, 800, 600};
  if (Form.isMain()) {
    if (ui::hasBackend()) area = ui::backend().desktopRect();
  } else if (ui::Window* main = ui::mainWindow()) {
    area = {0, 0, main->width(), main->height()};
  }
  int32_t x = Left != -1 ? Left : area.left + (area.width() - Width) / 2;
  int32_t y = Top != -1 ? Top : area.top + (area.height() - Height) / 2;
  Form.move(Form.left(), Form.top(), Width, Height);
  Form.moveWindow(x, y);
}

void MoveCtl(ui::Control& Ctl, int32_t Left, int32_t Top, int32_t Width, int32_t Height, int32_t FontSize) {
  if (Left != -1 && Top != -1 && Width != -1 && Height != -1) {
    Ctl.move(Left, Top, Width, Height);
  } else {
    if (Left != -1) Ctl.setLeft(Left);
    if (Top != -1) Ctl.setTop(Top);
    if (Width != -1) Ctl.setWidth(Width);
    if (Height != -1) Ctl.setHeight(Height);
  }
  if (FontSize != -1) Ctl.setFontSize(FontSize * 15 / 20.0);
}

void DragWindow(ui::Control& Target) { ui::DragControl(Target); }

void SelectAllText(ui::TextBox* Box) {
  if (Box) {
    Box->setFocus();
  } else if (ui::Window* w = ui::activeWindow()) {
    Box = dynamic_cast<ui::TextBox*>(w->activeControl());
  }
  if (!Box) return;
  Box->setSelStart(0);
  Box->setSelLength(static_cast<int>(sys::toCodePoints(Box->text()).size()));
}

std::string ShowFileDialog(ui::Window* /*Owner*/, const std::string& Filter, const std::string& InitialDir,
                           const std::string& DefaultFile, const std::string& Title, const std::string& Mode,
                           bool MultiSelect) {
  ui::FileDialogOptions o;
  o.filter = Filter;
  o.initialDir = InitialDir;
  o.defaultFile = DefaultFile;
  o.title = Title;
  o.save = Mode != "LOAD";
  o.multiSelect = MultiSelect;
  return ui::showFileDialog(o);
}
