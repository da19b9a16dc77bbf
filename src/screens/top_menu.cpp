#include "screens/top_menu.h"

#include <string>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "engine/chara_setup.h"
#include "engine/game_loop.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/status_panel.h"
#include "screens/frmLoad.h"
#include "screens/frmMain.h"
#include "screens/map_editor.h"
#include "screens/map_select.h"
#include "screens/start_screen.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/startup.h"
#include "system/utility.h"
#include "ui/message_box.h"

namespace {

// Right-aligned: the last button ends 3 pixels from the strip's right edge, the buttons touch.
void layOutBar(const std::vector<std::string>& tags) {
  MainForm& f = frmMain();
  const int n = static_cast<int>(tags.size());
  for (int k = 0; k < n; ++k) {
    UcButton& b = f.UcBtnClose[GetTagToIndex(tags[static_cast<size_t>(k)])];
    b.move(f.PicStatusUp.width() - 3 - 55 * n + 55 * k, 3, 55, 18);
    b.setVisible(true);
    // The game turns its "保存" off once a turn's command is known; the editor shares the button.
    b.setEnabled(true);
  }
}

void clearMessages() {
  MainForm& f = frmMain();
  f.UcSc.SetBackClear();
  f.UcSc.Refresh();
}

}  // namespace

const std::vector<std::string>& TopMenuButtons(std::string_view mode) {
  static const std::vector<std::string> title = {"開始",   "読込み", "前の面", "次の面",
                                                 "マップ", "画面",   "最小化", "終了"};
  static const std::vector<std::string> game = {"保存", "画面", "最小化", "戻る"};
  static const std::vector<std::string> editor = {"読込み", "保存",   "上書", "前の面",
                                                  "次の面", "クリア", "画面", "戻る"};
  static const std::vector<std::string> none;
  if (mode == "ゲーム") return title;
  if (mode == "開始" || mode == "途中開始") return game;
  if (mode == "マップ") return editor;
  return none;
}

void MakeTopMenu(const std::string& mode) {
  MainForm& f = frmMain();
  GameData& g = Game();
  f.PicWinBase.setVisible(false);
  for (const auto& [i, b] : f.UcBtnClose) b->setVisible(false);
  f.PicStatusUp.Tag = mode;
  GameMarkChanged();

  if (mode == "開始") {
    f.PicEnding.setVisible(false);
    f.UcSc2.setVisible(false);
    for (int i = 0; i < 4; ++i) {
      PlayerRecord& p = g.Players[static_cast<size_t>(i)];
      p = g.PlayersBackup[static_cast<size_t>(i)];
      p.sScore = 0;
      p.sUser = g.PlayerKinds[static_cast<size_t>(i)];
      p.sName = AsPlainText(g.PlayerNames[static_cast<size_t>(i)]);
    }
    g.TurnCount = 1;
    Hooks().DrawMap();
    Init06CharaSetup();
    f.PicEditBack.setVisible(false);
    WriteScoreSet(true, false);
    layOutBar(TopMenuButtons(mode));
    InitMonsterTable();
    Init10GameLoop01();
  } else if (mode == "途中開始") {
    f.PicEnding.setVisible(false);
    f.UcSc2.setVisible(false);
    WriteScoreSet(true, false);
    layOutBar(TopMenuButtons(mode));
    f.PicEditBack.setVisible(false);
    f.PicStatusUp.Tag = "開始";
    Hooks().DrawMap();
    Init10GameLoop01();
  } else if (mode == "マップ") {
    Init05MapSelect(g.StageNo);
    f.PicEnding.setVisible(false);
    f.UcSc2.setVisible(false);
    f.PicEditBack.setVisible(true);
    f.PicEditBack.zorder(0);
    clearMessages();
    layOutBar(TopMenuButtons(mode));
  } else if (mode == "ゲーム") {
    g.ResumePlayer = -1;
    f.PicSouba.setVisible(false);
    g.CurrentPlayer = -1;
    WriteScoreSet(true, false);
    f.UcSc2.setVisible(false);
    layOutBar(TopMenuButtons(mode));
    for (int i = 0; i < 4; ++i) f.PicPlayer[i].setVisible(true);
    clearMessages();
    for (int i = 0; i < 4; ++i) {
      ui::PictureBox& s = f.PicStMenu[i];
      s.setContainer(&f.PicPlayer[i]);
      s.setVisible(true);
      s.zorder(0);
      RefreshUC(i);
    }
    Init05MapSelect(g.StageNo);
  }
}

bool AskSaveMap() {
  if (ui::MsgBox("保存しますか?", ui::kMbYesNo | ui::kMbQuestion, "保存確認") != ui::kMbYes) return true;
  return SavedMapMae(Game().MapFileName);
}

void UcBtnClose_Click(int32_t Index) {
  MainForm& f = frmMain();
  GameData& g = Game();
  const std::string tag = f.UcBtnClose[Index].Tag;
  PlaySound(4, g.WavFolder + "QV-Click.wav", false, true, false, 0);

  if (tag == "最小化") {
    f.window.minimize();
    StopMusic();
  } else if (tag == "次の面" || tag == "前の面") {
    if (g.MapChanged && !AskSaveMap()) return;
    SetMapChanged(false);
    g.StageNo += tag == "次の面" ? 1 : -1;
    Init05MapSelect(g.StageNo);
  } else if ((tag == "読込み" || tag == "保存") && f.PicStatusUp.Tag == "マップ") {
    if (tag == "保存") {
      SavedMapMae(g.MapFileName);
    } else if (!g.MapChanged || AskSaveMap()) {
      // Loading over unsaved edits would lose them without a word.
      LoadMapMae();
    }
  } else if (tag == "読込み") {
    frmLoad().ShowMode("読込");
    if (frmPic().window.Tag == "OK") MakeTopMenu("途中開始");
  } else if (tag == "保存") {
    // Pressed while the game waits for a human: the game goes on waiting once the dialog closes.
    frmLoad().ShowMode("保存");
  } else if (tag == "上書") {
    // A failed write keeps the board marked as changed, so it is not lost on leaving.
    if (!WriteMapFile(g.MapFolder + g.MapFileName)) {
      WriteMessage("{1&F00}{2&F80}上書きできませんでした{0&}", false);
      return;
    }
    SetMapChanged(false);
    WriteMessage("上書きOK!", false);
  } else if (tag == "クリア") {
    MapClear();
    SetMapChanged(true);
  } else if (tag == "マップ") {
    MakeTopMenu("マップ");
    SetMapChanged(false);
  } else if (tag == "画面") {
    CrtChange();
  } else if (tag == "開始") {
    bool anySeat = false;
    for (int32_t kind : g.PlayerKinds) anySeat = anySeat || kind != 0;
    if (!anySeat) return;
    if (!g.MapReady) {
      WriteMessage("{1&F00}{2&F80}読み込めたマップがないので開始できません{0&}", false);
      return;
    }
    MakeTopMenu("開始");
  } else if (tag == "ゲーム") {
    MakeTopMenu("ゲーム");
  } else if (tag == "終了" || tag == "戻る") {
    StopMusic();
    f.PicEditBack.setVisible(false);
    f.PicBox.setVisible(false);
    const std::string& mode = f.PicStatusUp.Tag;
    if (mode != "マップ" && mode.find("開始") == std::string::npos) {
      AppEnd();
      return;
    }
    if (g.MapChanged && !AskSaveMap()) return;
    SetMapChanged(false);
    MakeTopMenu("ゲーム");
  }
}
