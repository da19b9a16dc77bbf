#include "screens/frmMain.h"

#include <memory>

#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "screens/event_window.h"
#include "screens/map_editor.h"
#include "screens/staff_roll.h"
#include "screens/start_screen.h"
#include "screens/top_menu.h"
#include "system/bitmap.h"
#include "system/display_panel.h"
#include "system/picture_store.h"
#include "system/startup.h"
#include "system/utility.h"
#include "system/window_helpers.h"
#include "ui/toolkit.h"

namespace {
// A member's Click calls the array's handler with its index, for the members made so far and
// every later one.
template <class T>
void wireClicks(ui::ControlArray<T>& a, void (*handler)(int32_t)) {
  a.onCreate = [handler](T& b) { b.Click = [&b, handler] { handler(b.index()); }; };
  for (const auto& [i, b] : a) a.onCreate(*b);
}
}  // namespace

void Form_Load() {
  MainForm& f = frmMain();
  // Every key reaches the window first; a member of an array finds its own index.
  f.window.KeyPreview = true;
  f.window.KeyDown = [](int& key, int shift) {
    Form_KeyDown(key, shift);
    key = 0;
  };
  f.window.KeyUp = [](int& key, int shift) { Form_KeyUp(key, shift); };
  f.window.QueryUnload = [] { AppEnd(); };
  f.PicStatusUp.MouseDown = PicStatusUp_MouseDown;
  f.PicEditMap.MouseDown = PicEditMap_MouseDown;
  f.PicEditMap.MouseMove = PicEditMap_MouseMove;
  f.PicMap.MouseDown = PicMap_MouseDown;
  f.PicMap.MouseMove = PicMap_MouseMove;
  f.PicWin.MouseDown = PicWin_MouseDown;
  for (int i = 0; i <= 3; ++i)
    f.PicPlayer[i].MouseMove = [i](int b, int s, int x, int y) { PicPlayer_MouseMove(i, b, s, x, y); };
  wireClicks(f.UcBtnClose, UcBtnClose_Click);
  wireClicks(f.UcBtnMenu, UcBtnMenu_Click);
  wireClicks(f.UcBtnMenuSt0, UcBtnMenuSt0_Click);
  wireClicks(f.CmdPlayer, CmdPlayer_Click);
  wireClicks(f.cmdDataGet, cmdDataGet_Click);
  f.cmdCloseOpt.Click = [] { cmdCloseOpt_Click(); };
  PlaceImgArrow();

  for (int i = 0; i <= 3; ++i) {
    if (i > f.UcBtnMenuSt0.ubound()) f.UcBtnMenuSt0[i];
    if (i > f.UcBtnMenu.ubound()) f.UcBtnMenu[i];
  }
  f.PicBox.move(-1, -1, 32, 32);
}

void MakeUcBtn(ui::PictureBox& ContenPic, ui::ControlArray<UcButton>& wkUC) {
  UcButton& b = wkUC[0];
  b.setContainer(&ContenPic);
  b.move(0, 0, 100, 100);
  b.setVisible(true);
  b.setEnabled(true);
  ContenPic.setBackColor(gfx::kBlack);
}

void Init01MakeForm() {
  MainForm& f = frmMain();
  PictureStore& pic = frmPic();
  Form_Load();

  int32_t w = 800, h = 600;
  FitFormWindow(f.window, w, h, false);

  // The strip and the play area wear their backgrounds; the board and the message window sit
  // 16 pixels in, the width of the panels below.
  f.PicStatusUp.move(0, 0, 800, 24);
  f.PicStatusUp.setPicture(pic.StatusBar);
  f.PicStatusUp.Cls();
  f.PicBgv.move(0, 24, 800, 576);
  f.PicBgv.setPicture(pic.Background);
  f.PicBgv.Cls();
  f.PicMap.move(16, 16, 768, 320);
  f.UcSc.move(16, 344, 768, 32);

  // The message window takes the play area's colour, so its lines seem to float on it.
  const int32_t bg = static_cast<int32_t>(f.PicBgv.surface().pixel(50, 50) & 0xFFFFFF);
  f.UcSc.SetBackColor(0, bg);
  f.UcSc.SetWakuColor(bg);
  f.UcSc.SetScrollSpeed(sys::Fixed::fromRaw(10));
  f.UcSc.SetWaku(0, 0);
  f.UcSc.SetBackClear();
  messageWindow().UcSc = &f.UcSc;
  messageWindow().UCFt = &f.UCFt;

  f.PicSouba.move(248, 3, 240, 17);
  f.PicSouba.setVisible(false);

  // The die, the command buttons' holder and the event window with its frame.
  f.PicWinBase.setPicture(pic.PicStage.surface());
  f.PicMenu.setBackColor(gfx::kBlack);
  f.PicMenu.move(88, 71, 100, 100);
  f.PicDice.move(88, 71, 100, 100);
  f.PicDiceIn.move(0, 0, 100, 100);
  f.PicDiceIn.setVisible(true);
  f.PicWinBase.move(f.PicMap.width() / 2 - 110, f.PicMap.height() / 2 - 120, 220, 240);
  f.PicWinBase.Cls();
  f.PicWin.move(10, 30, 200, 200);
  f.PicWinUra.move(-1, -1, 200, 200);

  // The editor's palette: the whole tile sheet, its see-through parts on the play area's colour.
  f.PicEditMap.setBackColor(f.PicBgv.surface().pixel(5, 5) & 0xFFFFFF);
  f.PicEditBack.move(16, f.PicBgv.height() - 176 - 16, 768, 176);
  f.PicEditMap.move(f.PicEditBack.width() / 2 - 240, 12, 480, 96);
  gfx::Surface& pal = f.PicEditMap.surface();
  TransBlt(pal, pal, pic.PicMap.surface(), 0, 0, pal.width(), pal.height(), 0, 0, 0xFF00FF, pal.width(), pal.height());
  f.PicEditMap.refresh();
  // The panel is a framed piece of the play area, the palette a plate of the frame's colour on it.
  const gfx::Color inner = f.PicBgv.surface().pixel(50, 50) & 0xFFFFFF;
  const gfx::Color edge = f.PicBgv.surface().pixel(5, 5) & 0xFFFFFF;
  f.PicEditBack.setBackColor(edge);
  gfx::Surface& panel = f.PicEditBack.surface();
  gfx::fillRect(panel, {1, 1, panel.width() - 1, panel.height() - 1}, inner);
  gfx::fillRect(
      panel, gfx::Rect::xywh(f.PicEditMap.left() - 4, f.PicEditMap.top() - 4, pal.width() + 8, pal.height() + 8), edge);
  f.PicEditBack.refresh();
  f.PicEditBack.setVisible(false);

  if (ui::hasBackend()) ui::backend().setIcon({pic.Icon, 0, 0, gfx::kMagenta});
  auto hand = std::make_shared<ui::CursorImage>(pic.HandCursor());
  for (ui::PictureBox* p : {&f.PicMap, &f.PicEditMap}) {
    p->setMouseIcon(hand);
    p->setMousePointer(ui::kPointerCustom);
  }

  // The top bar's fourteen buttons, each face a 55 x 18 column of PicEnd.
  static const char* const kTags[14] = {"開始", "上書",   "画面", "マップ", "終了",   "データ", "読込み",
                                        "保存", "クリア", "戻る", "ゲーム", "前の面", "次の面", "最小化"};
  for (int i = 0; i < 14; ++i) {
    UcButton& b = f.UcBtnClose[i];
    b.setContainer(&f.PicStatusUp);
    b.SetForeColor(0xFFFFFF, 0xFFFFFF, 0xFFFFFF);
    b.move(f.PicStatusUp.width() - 278 + 55 * i, 3, 55, 18);
    b.SetButton(&pic.PicEnd.surface(), "", 55 * i, 0, 55, 18, 6, 1, 0, "", false, b.left(), b.top(), b.width(),
                b.height());
    b.setVisible(false);
    b.Tag = kTags[i];
  }

  // The four status panels side by side, each hiding its mini view in its corner.
  for (int i = 0; i < 4; ++i) {
    ui::PictureBox& p = f.PicPlayer[i];
    ui::PictureBox& m = f.PicMiniMap[i];
    p.move(16 + 192 * i, 384, 192, 176);
    p.setVisible(true);
    m.setVisible(false);
    m.move(5, 5, 25, 25);
    m.setContainer(&p);
  }

  // The start screen: a seat button filling a panel in each status panel.
  MakeUcBtn(f.PicStMenu[0], f.UcBtnMenuSt0);
  for (int i = 0; i < 4; ++i) {
    ui::PictureBox& s = f.PicStMenu[i];
    UcButton& b = f.UcBtnMenuSt0[i];
    b.move(0, 0, 100, 100);
    b.setVisible(true);
    b.setEnabled(true);
    b.setContainer(&s);
    s.setContainer(&f.PicPlayer[i]);
    s.move(88, 71, 100, 100);
    s.setVisible(true);
    s.zorder(0);
  }

  MakeTopMenu("ゲーム");
  ui::DoEvents();
}

void Form_KeyUp(int32_t /*KeyCode*/, int32_t /*Shift*/) { frmMain().LastKey = 0; }

namespace {
// A menu button acts through its own Click (UcBtnMenu_Click), even while disabled after a press;
// one in a hidden menu panel is not on screen and takes no key.
void pressMenuButton(int i) {
  UcButton* b = frmMain().UcBtnMenu.find(i);
  if (b && b->effectivelyVisible() && b->Click) b->Click();
}

bool topButtonShown(const char* tag) {
  MainForm& f = frmMain();
  int32_t i = GetTagToIndex(tag);
  UcButton* b = f.UcBtnClose.find(i);
  return b && b->Tag == tag && b->visible();
}
}  // namespace

void Form_KeyDown(int32_t KeyCode, int32_t /*Shift*/) {
  MainForm& f = frmMain();
  if (KeyCode == f.LastKey) return;
  f.LastKey = KeyCode;
  switch (KeyCode) {
    case ui::kVkEscape: UcBtnClose_Click(4); return;
    case ui::kVkF4: CrtChange(); return;
    case 83:  // "S": the staff roll, from the title screen
      if (f.PicStatusUp.Tag == "ゲーム") Init31Staff();
      return;
    case 97:
    case 49:
    case 90:  // pad 1, "1", "Z"
    case ui::kVkSpace:
    case ui::kVkReturn: pressMenuButton(0); return;
    case 98:
    case 50:
    case 88:  // pad 2, "2", "X"
      pressMenuButton(1);
      return;
    case 99:
    case 51:
    case 67:  // pad 3, "3", "C"
      pressMenuButton(2);
      return;
    case 96:
    case 48:
    case 86:  // pad 0, "0", "V"
      pressMenuButton(3);
      return;
    case ui::kVkRight:
    case 102:  // pad 6
      if (topButtonShown("次の面")) {
        UcBtnClose_Click(GetTagToIndex("次の面"));
      } else if (UcButton* b = f.UcBtnMenu.find(1); b && b->effectivelyVisible() && b->Tag == "→") {
        pressMenuButton(1);
      }
      return;
    case ui::kVkLeft:
    case 100:  // pad 4
      if (topButtonShown("前の面")) {
        UcBtnClose_Click(GetTagToIndex("前の面"));
      } else if (UcButton* b = f.UcBtnMenu.find(0); b && b->effectivelyVisible() && b->Tag == "←") {
        pressMenuButton(0);
      }
      return;
    default: return;
  }
}

void CrtChange() {
  GameData& g = Game();
  if (g.DisplayChanged) {
    DispUndo();
    g.DisplayChanged = false;
    int32_t w = 800, h = 600;
    FitFormWindow(frmMain().window, w, h, false);
  } else {
    g.DisplayChanged = DispSet(800, 600, 16);
  }
}
