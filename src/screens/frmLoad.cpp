#include "screens/frmLoad.h"

#include <chrono>
#include <filesystem>
#include <memory>

#include "data/game_data.h"
#include "data/save_slot.h"
#include "presentation/main_form.h"
#include "presentation/sprites.h"
#include "presentation/status_panel.h"
#include "sys/path.h"
#include "sys/text.h"
#include "system/picture_store.h"
#include "system/window_helpers.h"
#include "ui/drawn_control.h"
#include "ui/keys.h"
#include "ui/message_box.h"
#include "ui/toolkit.h"

namespace {

constexpr int kEdge = 3;
constexpr int kClientWidth = 400, kClientHeight = 364;

std::unique_ptr<LoadForm>& instance() {
  static std::unique_ptr<LoadForm> form;
  return form;
}

std::string trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The modification date of a listed file, as the list shows it.
std::string fileDate(const std::string& gamePath) {
  std::error_code ec;
  auto written = std::filesystem::last_write_time(sys::resolvePath(gamePath), ec);
  if (ec) return "";
  auto when = std::chrono::file_clock::to_sys(written);
  return sys::formatTime(std::chrono::system_clock::to_time_t(when), "yyyy年mm月dd日");
}

}  // namespace

std::string StrReplace(const std::string& wkStr, const std::string& delStr) {
  std::u32string removed = sys::toCodePoints(delStr.empty() ? "\\:;/*?<>~|" : delStr);
  removed += U"\"\r\n";
  auto lower = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; };
  std::u32string out;
  for (char32_t c : sys::toCodePoints(wkStr)) {
    // Control characters can name no file the player could read back.
    if (c < 0x20 || c == 0x7f) continue;
    bool drop = false;
    for (char32_t r : removed) drop = drop || lower(c) == lower(r);
    if (!drop) out += c;
  }
  return sys::toUtf8(out);
}

std::string SlotNameOf(const std::string& fileName) {
  std::string name = fileName;
  for (const char* ext : {".MAP", ".DAT"}) {
    for (size_t at = 0; at + 4 <= name.size();) {
      if (sys::equalsIgnoreCase(std::string_view(name).substr(at, 4), ext))
        name.erase(at, 4);
      else
        ++at;
    }
  }
  return name;
}

LoadForm::LoadForm()
    : PicFrame(window.add<ui::PictureBox>("PicFrame")),
      PicBack(window.add<ui::PictureBox>("PicBack", &PicFrame)),
      PicTitle(window, "PicTitle", &PicBack),
      lstFile(window.add<ui::ListBox>("lstFile", &PicBack)),
      txtName(window.add<ui::TextBox>("txtName", &PicBack)),
      cmdStart(window, "cmdStart", &PicBack),
      FileLoad(window.add<ui::FileListBox>("FileLoad", &PicBack)) {
  window.setCaption("続きから開始する");
  window.KeyPreview = true;
  window.KeyDown = [this](int& key, int shift) { Form_KeyDown(key, shift); };
  for (ui::PictureBox* p : {&PicFrame, &PicBack}) {
    p->setBackColor(ui::kFaceColor);
    p->TabStop = false;
  }
  for (int i = 0; i < 2; ++i) {
    ui::PictureBox& t = PicTitle[i];
    t.TabStop = false;
    // The banner is the dialog's title bar: it drags the dialog.
    t.MouseDown = [this](int button, int, int, int) {
      if (button == ui::kLeftButton) DragWindow(window);
    };
  }
  txtName.setText("(保存ファイル名)");
  txtName.GotFocus = [this] { txtName_GotFocus(); };
  lstFile.Click = [this] { lstFile_Click(); };
  lstFile.KeyDown = [this](int& key, int shift) { lstFile_KeyDown(key, shift); };
  const char* captions[] = {"開始", "キャンセル", "保存"};
  for (int i = 0; i < 3; ++i) {
    ui::CommandButton& b = cmdStart[i];
    b.setCaption(captions[i]);
    b.Click = [this, i] { cmdStart_Click(i); };
  }
  window.cancelButton = &cmdStart[1];
  FileLoad.setVisible(false);
  FileLoad.setPattern("*.dat");
}

LoadForm& frmLoad() {
  if (!instance()) instance() = std::make_unique<LoadForm>();
  return *instance();
}

bool frmLoadExists() { return instance() != nullptr; }

void ResetLoadForm() { instance().reset(); }

void LoadForm::Form_Load() {
  int32_t w = kClientWidth + 2 * kEdge, h = kClientHeight + 2 * kEdge;
  FitFormWindow(window, w, h);
  PicFrame.move(0, 0, w, h);
  PicFrame.Cls();
  ui::drawEdge(PicFrame.surface(), PicFrame.surface().bounds(), false);
  PicBack.move(kEdge, kEdge, kClientWidth, kClientHeight);
  FileLoad.setPath(Game().DatFolder);
  for (int i = 0; i < 2; ++i) {
    MoveCtl(PicTitle[i], 0, 0, 400, 24);
    PicTitle[i].setPicture(frmPic().LoadTitle[static_cast<size_t>(i)]);
    PicTitle[i].Cls();
  }
  MoveCtl(lstFile, 10, 32, 380, 233, 20);
  MoveCtl(txtName, 10, 272, 380, 41, 20);
  MoveCtl(cmdStart[0], 10, 320, 130, 33, 20);
  MoveCtl(cmdStart[2], 10, 320, 130, 33, 20);
  MoveCtl(cmdStart[1], 260, 320, 130, 33, 20);
  iRefresh();
}

void LoadForm::ShowMode(const std::string& wkStr) {
  Form_Load();
  const bool save = wkStr == "保存";
  PicTitle[0].setVisible(!save);
  PicTitle[1].setVisible(save);
  cmdStart[0].setVisible(!save);
  cmdStart[2].setVisible(save);
  cmdStart[1].setVisible(true);
  window.defaultButton = &cmdStart[save ? 2 : 0];
  txtName.setEnabled(save);
  lstFile.setVisible(true);
  txtName.setVisible(true);
  window.show();
  if (save)
    txtName.setFocus();
  else
    lstFile.setFocus();
  window.showModal();
  // A key that closed the dialog and is still held must not act again in the window below:
  // its repeats count there as the press already made.
  if (frmMainExists())
    for (int vk : {ui::kVkReturn, ui::kVkEscape, ui::kVkSpace})
      if (ui::keyHeld(vk)) frmMain().LastKey = vk;
}

void LoadForm::iRefresh() {
  lstFile.clear();
  FileLoad.refresh();
  for (int i = 0; i < FileLoad.listCount(); ++i) {
    const std::string file = FileLoad.list(i);
    lstFile.addItem(fileDate(Game().DatFolder + file) + "/" + SlotNameOf(file));
  }
}

void LoadForm::cmdStart_Click(int32_t Index) {
  frmPic().window.Tag = "";
  if (Index == 0) {
    const std::string name = SlotNameOf(trimmed(txtName.text()));
    switch (LoadSlot(name)) {
      case SlotStatus::Ok:
        WriteScoreSet(false, false);
        WriteCharaSet(0, 1, 0, 0);
        frmPic().window.Tag = "OK";
        iRefresh();
        window.hide();
        return;
      case SlotStatus::Missing:
        ui::MsgBox("ファイルがありません", ui::kMbOkOnly | ui::kMbInformation, "データファイルがありません");
        return;
      case SlotStatus::Damaged:
        ui::MsgBox(name + "は壊れているため読み込めません", ui::kMbOkOnly | ui::kMbExclamation,
                   "データファイルが読み込めません");
        return;
    }
  } else if (Index == 2) {
    txtName.setText(StrReplace(txtName.text()));
    const std::string name = SlotNameOf(trimmed(txtName.text()));
    if (!SlotNameUsable(name)) {
      ui::MsgBox("保存名を入れてください", ui::kMbOkOnly, "保存ファイル名が入力されていません");
      return;
    }
    if (!SaveSlot(name)) {
      ui::MsgBox(name + "を保存できませんでした", ui::kMbOkOnly | ui::kMbExclamation, "保存できませんでした");
      return;
    }
    iRefresh();
    ui::MsgBox(name + "を保存しました", ui::kMbOkOnly | ui::kMbInformation, "保存完了");
    window.hide();
  } else {
    window.hide();
  }
}

void LoadForm::Form_KeyDown(int& KeyCode, int /*Shift*/) {
  if (KeyCode != ui::kVkEscape) return;
  KeyCode = 0;
  cmdStart_Click(1);
}

void LoadForm::lstFile_Click() {
  const std::string entry = lstFile.text();
  const size_t slash = entry.find('/');
  if (lstFile.listIndex() >= 0 && slash != std::string::npos) txtName.setText(entry.substr(slash + 1));
}

void LoadForm::lstFile_KeyDown(int& KeyCode, int /*Shift*/) {
  if (KeyCode != ui::kVkDelete || lstFile.listIndex() < 0) return;
  const std::string entry = lstFile.text();
  const std::string name = entry.substr(entry.find('/') + 1);
  if (ui::MsgBox(name + "を削除してもよろしいですか?", ui::kMbYesNo | ui::kMbQuestion, "削除の確認") != ui::kMbYes)
    return;
  DeleteSlot(name);
  iRefresh();
}

void LoadForm::txtName_GotFocus() { SelectAllText(&txtName); }
