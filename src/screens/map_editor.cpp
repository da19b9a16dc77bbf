#include "screens/map_editor.h"

#include "data/board.h"
#include "data/game_data.h"
#include "screens/frmMain.h"
#include "system/window_helpers.h"
#include "ui/message_box.h"

namespace {
const char* const kMapFilter = "MAPﾌｧｲﾙ(*.map)/*.map/全てのﾌｧｲﾙ(*.*)/*.*";
}

void LoadMapMae() {
  const std::string path = ShowFileDialog(&frmMain().window, kMapFilter, Game().MapFolder, "", "", "LOAD");
  if (!path.empty()) ReadMapFile(path);
}

bool SavedMapMae(const std::string& wkFileName) {
  const std::string path = ShowFileDialog(&frmMain().window, kMapFilter, Game().MapFolder, wkFileName, "", "SAVE");
  if (path.empty()) return false;
  // A save that did not happen must not pass for one: the board would be thrown away.
  if (!WriteMapFile(path)) {
    ui::MsgBox("マップを保存できませんでした。", ui::kMbOkOnly | ui::kMbExclamation, "保存確認");
    return false;
  }
  return true;
}
