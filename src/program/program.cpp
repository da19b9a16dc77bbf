#include "program/program.h"

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "data/save_slot.h"
#include "data/settings.h"
#include "data/souba.h"
#include "engine/chara_setup.h"
#include "media/audio.h"
#include "presentation/board_draw.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "screens/frmLoad.h"
#include "screens/frmMain.h"
#include "screens/map_select.h"
#include "screens/top_menu.h"
#include "sys/path.h"
#include "system/input.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/startup.h"
#include "ui/toolkit.h"

void Main() {
  if (!AppStartCheck()) {
    Startup().EndProgram();
    return;
  }
  InitFolderNames(GetAppPath(""));
  // A write killed half way leaves its work files behind; nothing else would ever remove them,
  // and a slot save's may hold the only whole copy of a saved game.
  sys::removeStaleWorkFiles(Game().DatFolder);
  sys::removeStaleWorkFiles(Game().MapFolder);
  RecoverSlots();
  Hooks().CrtChange = [] { CrtChange(); };
  // Until the window shows, nobody sees what start-up draws: no frame is shown and no
  // animation (the message window's scroll) is paced.
  const bool presenting = ui::presenting(), pacing = ui::pacing();
  ui::setPresenting(false);
  ui::setPacing(false);

  LoadPictureStore();
  InitMonsterTable();
  SetSouba("");
  InitCellKinds();
  DirectMediaInit();

  Init01MakeForm();
  InstallDrawMapHook();
  Init02MapListRefresh();
  Init05CharaSetup();
  Init06CharaSetup();

  const SettingsRead settings = LoadSettings(Game().DataFile);
  MakeTopMenu("ゲーム");
  if (settings.setAside)
    WriteMessage("{1&F00}{2&F80}設定ファイルが大きすぎるので、初期設定で始めます{0&}" +
                     (settings.asideName.empty() ? "" : " (元のファイルは " + settings.asideName + ")"),
                 false);
  if (Media().Sound && Media().Sound->withoutDevice())
    WriteMessage("{1&F00}{2&F80}音を出す装置が見つからないので、音なしで遊びます{0&}", false);
  ui::setPresenting(presenting);
  ui::setPacing(pacing);
  frmMain().window.show();
  ui::DoEvents();
  Init04();

  PlayMusic(Game().WavFolder + "Md-Opening.mid", 100);
}

void ResetProgramState() {
  ResetLoadForm();
  ResetMainForm();
  ResetMenuState();
  messageWindow() = {};
  ResetGameData();
  Hooks() = {};
  ResetPictureStore();
  MediaReset();
  Media().SilentOutput = false;
  Media().NullOutput = false;
  Media().SoundFont.clear();
  InputReset();
  ResetStartup();
}
