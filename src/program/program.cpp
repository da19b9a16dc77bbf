#include "program/program.h"

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "data/settings.h"
#include "data/souba.h"
#include "engine/chara_setup.h"
#include "presentation/board_draw.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "screens/frmLoad.h"
#include "screens/frmMain.h"
#include "screens/map_select.h"
#include "screens/top_menu.h"
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

  LoadSettings(Game().DataFile);
  MakeTopMenu("ゲーム");
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
