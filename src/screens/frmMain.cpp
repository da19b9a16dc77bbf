#include "screens/frmMain.h"

#include <memory>

#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/message.h"
#include "screens/start_screen.h"
#include "screens/top_menu.h"
#include "system/bitmap.h"
#include "system/display_panel.h"
#include "system/picture_store.h"
#include "system/startup.h"
#include "system/utility.h"
#include "system/window_helpers.h"
#include "ui/toolkit.h"

MainForm::MainForm()
    : PicStatusUp(window.add<ui::PictureBox>("PicStatusUp")),
      PicSouba(window.add<ui::PictureBox>("PicSouba", &PicStatusUp)),
      UcBtnClose(window, "UcBtnClose", &PicStatusUp),
      PicBgv(window.add<ui::PictureBox>("PicBgv")),
      PicMap(window.add<ui::PictureBox>("PicMap", &PicBgv)),
      PicMapUra(window.add<ui::PictureBox>("PicMapUra", &PicBgv)),
      UcSc(window.add<UcScroll>("UcSc", &PicBgv)),
      PicMenu(window.add<ui::PictureBox>("PicMenu", &PicBgv)),
      UcBtnMenu(window, "UcBtnMenu", &PicMenu),
      PicDice(window.add<ui::PictureBox>("PicDice", &PicBgv)),
      PicDiceIn(window.add<ui::PictureBox>("PicDiceIn", &PicDice)),
      PicWinBase(window.add<ui::PictureBox>("PicWinBase", &PicMap)),
      PicWin(window.add<ui::PictureBox>("PicWin", &PicWinBase)),
      PicWinUra(window.add<ui::PictureBox>("PicWinUra")),
      PicWinBack(window.add<ui::PictureBox>("PicWinBack")),
      PicPlayer(window, "PicPlayer", &PicBgv),
      PicMiniMap(window, "PicMiniMap", &PicBgv),
      PicStMenu(window, "PicStMenu", &PicBgv),
      UcBtnMenuSt0(window, "UcBtnMenuSt0", &PicBgv),
      PicEditBack(window.add<ui::PictureBox>("PicEditBack", &PicBgv)),
      PicEditMap(window.add<ui::PictureBox>("PicEditMap", &PicEditBack)),
      PicBox(window.add<ui::PictureBox>("PicBox", &PicBgv)),
      PicTip(window.add<ui::PictureBox>("PicTip", &PicBgv)),
      ImgArrow(window.add<ui::ImageControl>("ImgArrow", &PicMap)),
      PicOpt(window.add<ui::PictureBox>("PicOpt")),
      Label1(window.add<ui::Label>("Label1", &PicOpt)),
      CmdPlayer(window, "CmdPlayer", &PicOpt),
      cmdCloseOpt(window.add<ui::CommandButton>("cmdCloseOpt", &PicOpt)),
      cmdDataGet(window, "cmdDataGet", &PicOpt),
      lblLevel(window, "lblLevel", &PicOpt),
      lblLife(window, "lblLife", &PicOpt),
      lblStr(window, "lblStr", &PicOpt),
      lblLuck(window, "lblLuck", &PicOpt),
      FilMap(window.add<ui::FileListBox>("FilMap")),
      LstMap(window.add<ui::ListBox>("LstMap")),
      LstRank(window.add<ui::ListBox>("LstRank")),
      lstSrt(window.add<ui::ListBox>("lstSrt")),
      PicEnding(window.add<ui::PictureBox>("PicEnding", &PicBgv)),
      PicTarget(window.add<ui::PictureBox>("PicTarget", &PicMap)),
      UcSc2(window.add<UcScroll>("UcSc2", &PicBgv)) {
  window.setCaption("VorakTalmor");

  // Handlers: every key reaches the window first; a member of an array finds its own index.
  window.KeyPreview = true;
  window.KeyDown = [](int& key, int shift) {
    Form_KeyDown(key, shift);
    key = 0;
  };
  window.KeyUp = [](int& key, int shift) { Form_KeyUp(key, shift); };
  window.QueryUnload = [] { AppEnd(); };
  PicStatusUp.MouseDown = [this](int, int, int, int) { DragWindow(window); };
  UcBtnClose.onCreate = [](UcButton& b) { b.Click = [&b] { UcBtnClose_Click(b.index()); }; };
  UcBtnMenuSt0.onCreate = [](UcButton& b) { b.Click = [&b] { UcBtnMenuSt0_Click(b.index()); }; };
  CmdPlayer.onCreate = [](ui::CommandButton& b) { b.Click = [&b] { CmdPlayer_Click(b.index()); }; };
  cmdDataGet.onCreate = [](ui::CommandButton& b) { b.Click = [&b] { cmdDataGet_Click(b.index()); }; };
  cmdCloseOpt.Click = [] { cmdCloseOpt_Click(); };

  // The form's design: what Init01MakeForm leaves where it is. The lists only sort and number;
  // the work pictures are never shown.
  for (ui::Control* c :
       {static_cast<ui::Control*>(&FilMap), static_cast<ui::Control*>(&LstMap), static_cast<ui::Control*>(&LstRank),
        static_cast<ui::Control*>(&lstSrt), static_cast<ui::Control*>(&PicWinUra),
        static_cast<ui::Control*>(&PicWinBack), static_cast<ui::Control*>(&PicMapUra),
        static_cast<ui::Control*>(&PicTip), static_cast<ui::Control*>(&ImgArrow), static_cast<ui::Control*>(&PicEnding),
        static_cast<ui::Control*>(&PicTarget), static_cast<ui::Control*>(&UcSc2), static_cast<ui::Control*>(&PicMenu),
        static_cast<ui::Control*>(&PicDice), static_cast<ui::Control*>(&PicWinBase),
        static_cast<ui::Control*>(&PicBox)})
    c->setVisible(false);
  LstRank.setSorted(true);
  lstSrt.setSorted(true);
  FilMap.move(0, 0, 120, 100);
  LstMap.move(0, 0, 120, 100);
  PicMapUra.move(16, 16, 768, 320);
  PicWinBack.move(-1, -1, 200, 200);
  PicEnding.move(16, 16, 768, 320);
  PicEnding.setBackColor(gfx::kBlack);
  PicTarget.move(0, 0, 80, 80);
  ImgArrow.move(0, 0, 32, 32);
  PicTip.move(0, 0, 200, 20);
  PicTip.setBackColor(gfx::rgb(255, 255, 225));
  UcSc2.move(16, 16, 384, 320);

  // The options panel lies right of the 800-pixel client area, as it was designed.
  PicOpt.move(832, 272, 295, 236);
  PicOpt.setBackColor(ui::kFaceColor);
  Label1.move(8, 6, 279, 18);
  Label1.setCaption("オプション設定");
  for (int i = 0; i < 4; ++i) {
    ui::CommandButton& b = CmdPlayer[i];
    b.move(8, 30 + 36 * i, 64, 28);
    b.setCaption("人間");
    b.setVisible(true);
    const int y = 36 + 36 * i;
    ui::ControlArray<ui::Label>* arrays[] = {&lblLevel, &lblLife, &lblStr, &lblLuck};
    for (int k = 0; k < 4; ++k) {
      ui::Label& l = (*arrays[k])[i];
      l.move(80 + 50 * k, y, 44, 16);
      l.setCaption("000");
      l.setVisible(true);
    }
  }
  cmdCloseOpt.move(207, 196, 80, 28);
  cmdCloseOpt.setCaption("閉じる");
  for (int i = 0; i < 2; ++i) {
    ui::CommandButton& b = cmdDataGet[i];
    b.move(8 + 72 * i, 196, 64, 28);
    b.setCaption(i == 0 ? "Get" : "UP");
    b.setVisible(true);
  }
}

namespace {
std::unique_ptr<MainForm>& instance() {
  static std::unique_ptr<MainForm> f;
  return f;
}
}  // namespace

MainForm& frmMain() {
  auto& f = instance();
  if (!f) f = std::make_unique<MainForm>();
  return *f;
}

bool frmMainExists() { return instance() != nullptr; }

void ResetMainForm() {
  messageWindow().UcSc = nullptr;
  messageWindow().UCFt = nullptr;
  instance().reset();
}

void Form_Load() {
  MainForm& f = frmMain();
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
// A menu button acts through its own Click, which the menus wire to UcBtnMenu_Click; one in a
// hidden menu panel is not on screen and takes no key.
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
