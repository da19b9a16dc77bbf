// frmPic: the hidden window that holds every picture of the game in picture boxes, loaded once
// at start-up from the picture folder beside the program, plus the work surfaces the drawing
// code borrows. It is never shown.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "ui/backend.h"
#include "ui/buttons.h"
#include "ui/control_array.h"
#include "ui/image_control.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/picture_box.h"
#include "ui/text_box.h"
#include "ui/window.h"

// The picture folder beside the program.
inline constexpr const char* kPicFolderName = "Vorak-Pic/";

// One picture file of the store: its file name, its exact size, and the colour a stand-in for a
// missing file is filled with (the picture's key where it has one, so nothing stray is drawn).
struct PictureFile {
  const char* file;
  int width, height;
  gfx::Color placeholder;
};
// Every file the store reads, in load order.
const std::vector<PictureFile>& PictureFiles();

struct PictureStore {
  PictureStore();

  // Its Tag becomes "OK" when the save/load dialog has loaded a game.
  ui::Window window{"frmPic"};

  ui::PictureBox& PicChara;
  ui::PictureBox& PicMap;
  ui::PictureBox& PicMapSky;
  ui::PictureBox& PicDiceM;
  ui::PictureBox& PicDice;  // built at load: PicDiceM and its first face again below
  ui::PictureBox& PicPunch;
  ui::PictureBox& PicTarget;
  ui::ControlArray<ui::PictureBox> PicCasino;  // members 0, 1 and 3
  ui::PictureBox& PicSlot;
  ui::PictureBox& PicMato;
  ui::PictureBox& PicPlayer;
  ui::PictureBox& PicBar;
  ui::PictureBox& PicStage;
  ui::PictureBox& PicEnd;
  ui::PictureBox& PicTitle;
  ui::PictureBox& PicBtn;
  ui::PictureBox& PicWaku;
  ui::PictureBox& PicFade;   // the monster's fade-out, 500 x 200
  ui::PictureBox& PicDummy;  // scratch; its users size it

  // The display-mode panel (system/display_panel.h works it; the window is never shown).
  ui::PictureBox& Frame16;
  ui::ListBox& lstCrt;                       // every mode's text; a position is the platform's mode number
  ui::Label& lbCRTNow;                       // the mode now on
  ui::Label& lbCRTReg;                       // the desktop's stored mode
  ui::ControlArray<ui::TextBox> txtCrtBack;  // width, height, bits of the mode now on
  ui::ControlArray<ui::TextBox> txtCRT;      // width, height, bits to ask for
  ui::CheckBox& CkCRT;                       // store the chosen mode permanently
  ui::CommandButton& CmdSetCRT;
  ui::CommandButton& cmdCrtBack;
  ui::CommandButton& cmdColorGet;
  ui::CommandButton& cmdCrtSet;
  ui::CommandButton& cmdBackCRT;
  ui::ImageControl& ImgIcon;

  // Pictures of the program's resources that live outside the store's boxes.
  gfx::Surface Hand;                      // the pointing-hand cursor, hot spot (14, 0)
  gfx::Surface ImgArrow;                  // the shooting gallery's arrow
  std::array<gfx::Surface, 2> LoadTitle;  // the save/load dialog's banners: load, save
  gfx::Surface Background;                // behind the play area (PicBgv)
  gfx::Surface StatusBar;                 // the top strip (PicStatusUp)
  gfx::Surface Icon;                      // the window icon

  // The hand as a mouse cursor: fingertip hot spot, magenta see-through.
  ui::CursorImage HandCursor() const { return {Hand, 14, 0, gfx::kMagenta}; }

  // The picture (and, for the store's own pictures, the box) of a file by its name; nullptr for
  // an unknown name.
  gfx::Surface* target(const std::string& file);
  ui::PictureBox* box(const std::string& file);

  std::vector<std::string> missing;  // files that had to be replaced by a stand-in
};

// The one picture store.
PictureStore& frmPic();
// A fresh, empty store; for tests.
void ResetPictureStore();

// Form_Load of the store: reads every picture from `folder` (default: the picture folder beside
// the program), builds PicDice, and sizes the work surfaces. A file that is missing, unreadable
// or of the wrong size is named once on stderr and replaced by a plain picture of the right
// size, so every coordinate the drawing reads stays valid.
void LoadPictureStore(const std::string& folder = "");
