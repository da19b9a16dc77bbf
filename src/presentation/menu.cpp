#include "presentation/menu.h"

#include <array>
#include <vector>

#include "data/game_data.h"
#include "presentation/main_form.h"
#include "sys/text.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "ui/keys.h"
#include "ui/toolkit.h"
#include "ui/wait.h"

namespace {
MenuState gMenu;
struct MenuMode {
  const char* name;
  std::vector<const char*> keys;
  int faceRow, faceColumn;  // the mode's block in the button sheet
  // The command a press writes; nullptr: the dice mode's per-key commands.
  const char* command;
  // The choice per key in button order; empty: by position (button i writes i + 1, the
  // fourth "0").
  std::vector<const char*> choices;
};

const std::array<MenuMode, 10>& modes() {
  static const std::array<MenuMode, 10> m{{
      {"サイコロ", {"←", "→", "薬草", "宝探し"}, 0, 0, nullptr, {}},
      {"戦闘", {"攻撃", "逃げる", "薬草", "ひみつ"}, 1, 0, "戦闘選択", {"1", "2", "3", "0"}},
      {"宿屋", {"回復", "賭博場", "射的場", "でる"}, 2, 0, "宿屋選択", {"1", "2", "3", "0"}},
      {"薬屋", {"1個", "3個", "売る", "でる"}, 3, 0, "薬屋選択", {"1", "2", "3", "0"}},
      {"道場", {"生命力", "攻撃力", "運勢", "でる"}, 0, 1, "道場選択", {"1", "2", "3", "0"}},
      {"闇の道場", {"生命力", "攻撃力", "運勢", "でる"}, 0, 0, "選択", {}},
      {"ゲームセンター", {"ダーツ", "ゴルフ", "宝くじ", "でる"}, 2, 1, "選択", {}},
      {"色々", {"休憩", "薬草2個", "訓練", "でる"}, 3, 1, "選択", {}},
      {"質問", {"はい", "いいえ", "攻撃", "無視"}, 1, 1, "質問選択", {"1", "2", "3", "0"}},
      {"はい", {"はい"}, 5, 1, "はい選択", {"0"}},
  }};
  return m;
}

const MenuMode* findMode(std::string_view name) {
  for (const MenuMode& m : modes())
    if (sys::equalsIgnoreCase(m.name, name)) return &m;
  return nullptr;
}

UcButton& backButton() {
  MainForm& f = frmMain();
  return f.UcBtnClose[GetTagToIndex("戻る")];
}

// A timed wait of a running game saw input come: "戻る" or Escape among it is answered now, as
// at the end of a busy stretch, and the wait throws GameLeft instead of sleeping on.
void answerLeave() {
  if (frmMainExists() && GameRunning() && ui::pressQueued(&backButton(), ui::kVkEscape)) DropQueuedInput();
}

const char* byPosition(int32_t index) {
  static const char* const digits[4] = {"1", "2", "3", "0"};
  return index >= 0 && index < 4 ? digits[index] : "0";
}

// The dice mode: the arrows only say the direction (the choice stays), the herb asks for
// another go and the treasure hunt clears the choice.
void diceCommand(std::string_view key) {
  if (key == "←") {
    gMenu.MenuCommand = "サイコロ振った(左)";
  } else if (key == "→") {
    gMenu.MenuCommand = "サイコロ振った(右)";
  } else if (key == "薬草") {
    gMenu.MenuCommand = "薬草を使う";
    gMenu.MenuChoice = "もう一度";
  } else if (key == "宝探し") {
    gMenu.MenuCommand = "宝探し";
    gMenu.MenuChoice = "";
  }
}
}  // namespace

MenuState& Menu() { return gMenu; }
void ResetMenuState() { gMenu = MenuState{}; }

bool GameRunning() { return frmMainExists() && frmMain().PicStatusUp.Tag == "開始"; }

GameLoopScope::GameLoopScope() : entered_(gMenu.GameLoops == 0) {
  if (!entered_) return;
  ++gMenu.GameLoops;
  ui::setWaitWatch(answerLeave);
}

GameLoopScope::~GameLoopScope() {
  if (!entered_) return;
  --gMenu.GameLoops;
  ui::setWaitWatch(nullptr);
}

bool GameLoopRunning() { return gMenu.GameLoops > 0; }

void CheckGameLeft() {
  if (GameLoopRunning() && !GameRunning()) throw GameLeft{};
}

void WaitForHuman(const std::function<bool()>& done) {
  while (!done() && GameRunning()) ui::DoEventsWait();
  CheckGameLeft();
}

void WaitMenuCommand(std::string_view mode) {
  WaitForHuman([mode] { return gMenu.MenuCommand != mode; });
}

void PumpOnce() {
  ui::DoEvents();
  CheckGameLeft();
}

void PumpFrame() {
  ui::DoEventsWait(0);
  CheckGameLeft();
}

void DropQueuedInput() {
  if (frmMainExists()) {
    MainForm& f = frmMain();
    ui::Window& w = f.window;
    // A leave asked for while the engine was busy is not dropped with the rest: "戻る" and
    // Escape leave a game at any moment.
    if (GameRunning()) w.keepInput(&backButton(), ui::kVkEscape);
    w.setInputEnabled(false);
    ui::DoEvents();
    w.setInputEnabled(true);
    w.keepInput(nullptr, 0);
  }
  CheckGameLeft();
}

void MakeMenu(const std::string& name, int32_t wkID) {
  MainForm& f = frmMain();
  if (wkID >= 0 && wkID <= 3) f.PicMenu.setContainer(&f.PicPlayer[wkID]);
  gMenu.MenuCommand = name;
  const MenuMode* mode = findMode(name);
  f.PicMenu.Tag = name;
  f.PicMenu.setVisible(true);
  const size_t keys = mode ? mode->keys.size() : 0;
  const bool big = keys == 1;
  for (size_t i = 0; i < keys; ++i) {
    UcButton& b = f.UcBtnMenu[static_cast<int>(i)];
    const int y = big ? 0 : 25 * static_cast<int>(i), h = big ? 100 : 25;
    b.move(0, y, 100, h);
    b.SetButton(&frmPic().PicBtn.surface(), "", mode->faceColumn * 300, mode->faceRow * 100 + y, 100, h, 6, 0,
                b.ButtonMaru(), "", false, b.left(), b.top(), b.width(), b.height());
    b.setVisible(true);
    b.setEnabled(true);
    b.Tag = mode->keys[i];
  }
  for (int i = static_cast<int>(keys); i <= 3; ++i)
    if (UcButton* b = f.UcBtnMenu.find(i)) b->setVisible(false);
}

void UcBtnMenu_Click(int32_t Index) {
  MainForm& f = frmMain();
  UcButton* b = f.UcBtnMenu.find(Index);
  if (!b) return;
  const MenuMode* mode = findMode(f.PicMenu.Tag);
  b->setEnabled(false);
  const std::string key = b->Tag;
  PlaySound(4, Game().WavFolder + "QV-Click.wav", false, true, false, 0);
  if (mode && !mode->command) {
    diceCommand(key);
    return;
  }
  gMenu.MenuCommand = mode ? mode->command : "選択";
  gMenu.MenuChoice = byPosition(Index);
  if (!mode || mode->choices.empty()) return;
  for (size_t i = 0; i < mode->keys.size(); ++i)
    if (sys::equalsIgnoreCase(mode->keys[i], key)) gMenu.MenuChoice = mode->choices[i];
}

void PushButton(int32_t& wkID) {
  MainForm& f = frmMain();
  GameData& g = Game();
  f.PicMenu.setVisible(true);
  f.PicDice.setVisible(false);
  gMenu.MenuCommand = "はい";
  MakeMenu("はい", wkID);
  if (wkID == -1) wkID = g.CurrentPlayer;
  g.CurrentPlayer = wkID;
  if (wkID >= 0 && wkID < static_cast<int32_t>(g.Players.size()) && g.Players[static_cast<size_t>(wkID)].sUser == 1)
    WaitMenuCommand("はい");
  f.PicMenu.setVisible(false);
  PumpOnce();
}

void PushButton() {
  int32_t id = -1;
  PushButton(id);
}

void GameMarkChanged() {
  if (GameLoopRunning() && !GameRunning()) ui::interruptPump();
}
