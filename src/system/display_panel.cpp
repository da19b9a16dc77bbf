#include "system/display_panel.h"

#include <string>

#include "system/picture_store.h"
#include "ui/display.h"

namespace {

std::string withoutBlanks(std::string s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

}  // namespace

void WireDisplayPanel(PictureStore& store) {
  store.CmdSetCRT.Click = [] { CmdSetCRT_Click(); };
}

void ListDisplayModes() {
  ui::ListBox& list = frmPic().lstCrt;
  list.clear();
  for (const auto& m : ui::listDisplayModes()) list.addItem(ui::displayModeText(m));
}

void ShowCurrentSettings() {
  PictureStore& st = frmPic();
  ui::DisplayMode stored = ui::storedDisplayMode(), now = ui::currentDisplayMode();
  st.lbCRTReg.setCaption(ui::displayModeLabel(stored));
  st.lbCRTNow.setCaption(ui::displayModeLabel(now));
  st.txtCrtBack[0].setText(std::to_string(now.width));
  st.txtCrtBack[1].setText(std::to_string(now.height));
  st.txtCrtBack[2].setText(std::to_string(now.bits));
}

bool DispSet(int Width, int Height, int Bits) {
  ui::ListBox& list = frmPic().lstCrt;
  // The whole mode text must match: a mere "contains" would take 1800 x 600 for 800 x 600.
  std::string want =
      std::to_string(Width) + "×" + std::to_string(Height) + "ピクセル" + std::to_string(Bits) + "ビット";
  auto modes = ui::listDisplayModes();
  for (int i = 0; i < list.listCount(); ++i) {
    if (withoutBlanks(list.list(i)) != want) continue;
    if (i < static_cast<int>(modes.size())) ui::setDisplayMode(modes[static_cast<size_t>(i)]);
    ShowCurrentSettings();
    return true;
  }
  return false;
}

bool DispUndo() {
  ui::restoreDisplayMode();
  ShowCurrentSettings();
  return true;
}

void CmdSetCRT_Click() {
  PictureStore& st = frmPic();
  int i = st.lstCrt.listIndex();
  auto modes = ui::listDisplayModes();
  // Nothing selected, or a list older than the screen's modes: nothing to apply.
  if (i < 0 || i >= static_cast<int>(modes.size())) return;
  // Ticking CkCRT asked to make the mode the desktop's own for good; a game never rewrites the
  // user's desktop settings, so the mode is applied for this session in either case.
  ui::setDisplayMode(modes[static_cast<size_t>(i)]);
  ShowCurrentSettings();
}
