// frmLoad: the save/load dialog. It lists the save slots of the data folder with their dates,
// saves the running game into a named slot, loads one back and deletes them. A successful load
// sets the picture store's Tag to "OK"; the top bar then resumes the loaded game.
#pragma once

#include <cstdint>
#include <string>

#include "ui/buttons.h"
#include "ui/control_array.h"
#include "ui/list_box.h"
#include "ui/picture_box.h"
#include "ui/text_box.h"
#include "ui/window.h"

struct LoadForm {
  LoadForm();

  ui::Window window{"frmLoad"};
  ui::PictureBox& PicFrame;                      // the raised edge around the client area
  ui::PictureBox& PicBack;                       // the 400 x 364 client area; every control below sits in it
  ui::ControlArray<ui::PictureBox> PicTitle;     // 0 load, 1 save
  ui::ListBox& lstFile;                          // "yyyy年mm月dd日/name"
  ui::TextBox& txtName;                          // the slot name
  ui::ControlArray<ui::CommandButton> cmdStart;  // 0 "開始", 1 "キャンセル", 2 "保存"
  ui::FileListBox& FileLoad;                     // hidden: the "*.dat" files of the data folder

  // "保存" opens the dialog to save, anything else to load; returns when it closes.
  void ShowMode(const std::string& wkStr);
  // Lists the slots again.
  void iRefresh();
  // The three buttons: 0 load, 1 close, 2 save.
  void cmdStart_Click(int32_t Index);
  // Sizes, centres and fills the dialog.
  void Form_Load();
  void Form_KeyDown(int& KeyCode, int Shift);
  void lstFile_Click();
  void lstFile_KeyDown(int& KeyCode, int Shift);
  void txtName_GotFocus();
};

// The one dialog, made on first use.
LoadForm& frmLoad();
bool frmLoadExists();
// Forgets the dialog; for tests.
void ResetLoadForm();

// wkStr without any character of delStr (default: \ : ; / * ? < > ~ |), nor the double quote,
// line breaks, NUL and the other control characters. Letters match in either case.
std::string StrReplace(const std::string& wkStr, const std::string& delStr = "");
// The slot a name stands for: without ".MAP" and ".DAT" in any case, wherever they are.
std::string SlotNameOf(const std::string& fileName);
