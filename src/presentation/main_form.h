// frmMain: the one borderless 800 x 600 window of the game and every control on it. The engine and
// the drawing code touch these controls by name; the screens wire their handlers and lay them out.
// None is destroyed while the program runs.
//
//   MainForm& f = frmMain();
//   f.PicPlayer[2].surface();          // draw a status panel
//   f.UcBtnClose[GetTagToIndex("終了")];
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/rect.h"
#include "presentation/controls/UCFont.h"
#include "presentation/controls/UcButton.h"
#include "presentation/controls/UcScroll.h"
#include "ui/buttons.h"
#include "ui/control_array.h"
#include "ui/image_control.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/picture_box.h"
#include "ui/window.h"

struct MainForm {
  MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  ui::Window window{"frmMain", true};

  // The top strip: the bar's buttons and the turn counter; its Tag is the bar's mode and the
  // running-game mark.
  ui::PictureBox& PicStatusUp;
  ui::PictureBox& PicSouba;
  ui::ControlArray<UcButton> UcBtnClose;

  // The play area below the strip, and the board with its clean copy and the message window.
  ui::PictureBox& PicBgv;
  ui::PictureBox& PicMap;
  ui::PictureBox& PicMapUra;
  UcScroll& UcSc;

  // The in-game command buttons, the die and the event window over the board.
  ui::PictureBox& PicMenu;
  ui::ControlArray<UcButton> UcBtnMenu;
  ui::PictureBox& PicDice;
  ui::PictureBox& PicDiceIn;
  ui::PictureBox& PicWinBase;
  ui::PictureBox& PicWin;
  ui::PictureBox& PicWinUra;
  ui::PictureBox& PicWinBack;

  // The four status panels, each with its mini view and its start-screen seat button.
  ui::ControlArray<ui::PictureBox> PicPlayer;
  ui::ControlArray<ui::PictureBox> PicMiniMap;
  ui::ControlArray<ui::PictureBox> PicStMenu;
  ui::ControlArray<UcButton> UcBtnMenuSt0;

  // The map editor's palette (in the status panels' place) and its floating tile.
  ui::PictureBox& PicEditBack;
  ui::PictureBox& PicEditMap;
  ui::PictureBox& PicBox;
  ui::PictureBox& PicTip;
  ui::ImageControl& ImgArrow;

  // The old options panel, placed outside the client area.
  ui::PictureBox& PicOpt;
  ui::Label& Label1;
  ui::ControlArray<ui::CommandButton> CmdPlayer;
  ui::CommandButton& cmdCloseOpt;
  ui::ControlArray<ui::CommandButton> cmdDataGet;
  ui::ControlArray<ui::Label> lblLevel, lblLife, lblStr, lblLuck;

  // Hidden lists: the map files and their numbered entries, and the two sorters.
  ui::FileListBox& FilMap;
  ui::ListBox& LstMap;
  ui::ListBox& LstRank;
  ui::ListBox& lstSrt;

  // The ending, the duel's target and the staff roll.
  ui::PictureBox& PicEnding;
  ui::PictureBox& PicTarget;
  UcScroll& UcSc2;

  // The one markup renderer of the program.
  UCFont UCFt;

  // The key code of the last handled press; 0 once it was released.
  int32_t LastKey = 0;

  // The editor's most recent drop: its code (empty before the first) and cell. The Shift fill
  // starts there, also after the editor was left and entered again.
  std::string LastDropCode;
  int32_t LastDropX = 0, LastDropY = 0;

  // The player whose event window was drawn last.
  int32_t WindowID = 0;

  // The squares WriteCharaSet last drew the players on over the clean board, with the two
  // pictures' generations just after: while neither picture has changed since, the board differs
  // from the clean copy only there.
  struct DrawnPlayers {
    bool known = false;
    uint64_t board = 0, clean = 0;
    std::vector<gfx::Rect> squares;
  } BoardPlayers;
};

// The one main window; made on first use.
MainForm& frmMain();
bool frmMainExists();
// Closes the main window and makes a fresh one at the next frmMain(); for tests.
void ResetMainForm();

// The first top-bar button whose Tag equals wkTag (letter case ignored); 0 when none does.
int32_t GetTagToIndex(std::string_view wkTag);
