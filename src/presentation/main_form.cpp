#include "presentation/main_form.h"

#include <memory>

#include "presentation/message.h"
#include "sys/text.h"

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
  // The roll runs on black, its frame and the strips it brings in too.
  UcSc2.SetWakuColor(0);
  UcSc2.SetBackColor(0, 0);
  UcSc2.SetBackClear();

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

int32_t GetTagToIndex(std::string_view wkTag) {
  MainForm& f = frmMain();
  for (int i = 0; i <= f.UcBtnClose.ubound(); ++i)
    if (UcButton* b = f.UcBtnClose.find(i); b && sys::equalsIgnoreCase(b->Tag, wkTag)) return i;
  return 0;
}
