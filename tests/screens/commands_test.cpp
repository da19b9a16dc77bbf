#include <functional>

#include "data/settings.h"
#include "presentation/turn_counter.h"
#include "screens/map_select.h"
#include "screens/start_screen.h"
#include "screens/top_menu.h"
#include "screens_fixture.h"
#include "system/display_panel.h"
#include "system/utility.h"

namespace {
UcButton& bar(const char* tag) { return frmMain().UcBtnClose[GetTagToIndex(tag)]; }
}  // namespace

TEST_F(ScreensTest, SeatButtonsCycleHumanComputerNobodyWithTheClick) {
  start();
  UcButton& seat = frmMain().UcBtnMenuSt0[1];
  struct Step {
    int kind, faceX, faceY;
  };
  const Step steps[] = {{2, 300, 400}, {0, 0, 500}, {1, 0, 400}};
  for (const Step& s : steps) {
    Media().SlotFile[4].clear();
    clickOn(seat);
    EXPECT_EQ(Game().PlayerKinds[1], s.kind);
    EXPECT_EQ(seat.ButtonLeft(), s.faceX);
    EXPECT_EQ(seat.ButtonTop(), s.faceY);
    EXPECT_EQ(seat.PicButtonHdc(), &frmPic().PicBtn.surface());
    EXPECT_EQ(Media().SlotFile[4], Game().WavFolder + "QV-Click.wav");
  }
  // The other seats stay as they were.
  EXPECT_EQ(Game().PlayerKinds[0], 1);
  EXPECT_EQ(Game().PlayerKinds[2], 1);
}

TEST_F(ScreensTest, MapButtonsAndArrowsStepThroughTheMapsWithWrapAround) {
  start();
  ASSERT_EQ(Game().StageNo, 1);
  clickOn(bar("前の面"));
  EXPECT_EQ(Game().StageNo, 3);
  EXPECT_EQ(Game().MapFileName, "03-Challenge.map");
  clickOn(bar("次の面"));
  EXPECT_EQ(Game().StageNo, 1);
  press(ui::kVkRight);
  EXPECT_EQ(Game().StageNo, 2);
  press(ui::kVkLeft);
  press(100);  // pad 4
  EXPECT_EQ(Game().StageNo, 3);
  EXPECT_EQ(messages.back(), "{1&F00}{2&FF0}選択中のマップ{0&} ３ ({1&0FF}{2&FFF}03-Challenge.map{0&})");
  // The board is the selected map's.
  GameData expected;
  std::swap(expected.Board, Game().Board);
  ASSERT_TRUE(ReadMapFile(Game().MapFolder + "03-Challenge.map"));
  EXPECT_EQ(expected.Board, Game().Board);
}

TEST_F(ScreensTest, MapSelectionCorrectsTheNumberAndShowsBracesAsText) {
  start();
  dir.write("Vorak-Map/04-{1&F00}Red.map", "");
  struct Case {
    int32_t asked, got;
  };
  for (Case c : {Case{5, 1}, Case{0, 4}, Case{-7, 4}, Case{12, 1}, Case{4, 4}}) {
    SCOPED_TRACE(c.asked);
    int32_t n = c.asked;
    Init05MapSelect(n);
    EXPECT_EQ(n, c.got);
    EXPECT_EQ(Game().StageNo, c.got);
  }
  // The empty file is selected all the same, and said to be unreadable.
  ASSERT_GE(messages.size(), 2u);
  EXPECT_EQ(messages[messages.size() - 2],
            "{1&F00}{2&FF0}選択中のマップ{0&} ４ ({1&0FF}{2&FFF}04-｛1&F00｝Red.map{0&})");
  EXPECT_EQ(messages.back(), "{1&F00}{2&F80}このマップは読み込めませんでした{0&}");
  EXPECT_FALSE(Game().MapReady);
  // A map folder that empties leaves the selection alone, and says so.
  fs::remove_all(dir.path() / "Vorak-Map");
  messages.clear();
  int32_t n = 2;
  Init05MapSelect(n);
  EXPECT_EQ(Game().StageNo, 4);
  EXPECT_EQ(messages, (std::vector<std::string>{"{1&F00}{2&F80}マップがありません{0&} (Vorak-Map フォルダ)"}));
}

TEST_F(ScreensTest, KeyTablePressesTheShownMenuButtonOnce) {
  start();
  std::vector<int> pressed;
  for (int i = 0; i < 4; ++i) {
    UcButton& b = frmMain().UcBtnMenu[i];
    b.Click = [&pressed, i] { pressed.push_back(i); };
  }
  const std::pair<int, int> keys[] = {{97, 0}, {49, 0}, {90, 0}, {32, 0}, {13, 0}, {98, 1}, {50, 1},
                                      {88, 1}, {99, 2}, {51, 2}, {67, 2}, {96, 3}, {48, 3}, {86, 3}};
  // Hidden menu buttons take no keys.
  for (auto [vk, button] : keys) press(vk);
  EXPECT_TRUE(pressed.empty());
  frmMain().PicMenu.setVisible(true);
  for (int i = 0; i < 4; ++i) frmMain().UcBtnMenu[i].setVisible(true);
  for (auto [vk, button] : keys) {
    pressed.clear();
    press(vk);
    EXPECT_EQ(pressed, std::vector<int>{button}) << "key " << vk;
  }
  // A held key acts once; after its release it acts again; another key in between counts.
  pressed.clear();
  hb->keyDown('Z');
  hb->keyDown('Z', true);
  hb->keyDown('Z', true);
  pump();
  EXPECT_EQ(pressed.size(), 1u);
  hb->keyUp('Z');
  hb->keyDown('Z');
  pump();
  EXPECT_EQ(pressed.size(), 2u);
  hb->keyDown('X');
  hb->keyDown('Z');
  pump();
  EXPECT_EQ(pressed, (std::vector<int>{0, 0, 1, 0}));
  hb->keyUp('Z');
  hb->keyUp('X');
  pump();
  // In a game the arrows choose the dice menu's direction (the buttons here only record the
  // press, so the dice menu waits on until the game is left).
  pressed.clear();
  atFirstWait([&] {
    for (int vk : {int{ui::kVkRight}, int{ui::kVkLeft}, 102}) hb->key(vk);
    clickLater(bar("戻る"));
  });
  MakeTopMenu("途中開始");
  EXPECT_EQ(pressed, (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(Game().StageNo, 1);
}

TEST_F(ScreensTest, F4AndTheScreenButtonToggleTheDisplayMode) {
  start();
  press(ui::kVkF4);
  EXPECT_TRUE(Game().DisplayChanged);
  EXPECT_EQ(hb->currentMode(), (ui::DisplayMode{800, 600, 16}));
  clickOn(bar("画面"));
  EXPECT_FALSE(Game().DisplayChanged);
  EXPECT_EQ(hb->currentMode(), hb->storedMode());
  // A screen without the mode: the switch fails and the next press tries again.
  hb->setModes({{1024, 768, 32}}, {1024, 768, 32});
  ListDisplayModes();
  press(ui::kVkF4);
  EXPECT_FALSE(Game().DisplayChanged);
}

TEST_F(ScreensTest, EscapeReturnsToTheTitleFromTheEditorAndQuitsFromTheTitle) {
  start();
  MakeTopMenu("マップ");
  press(ui::kVkEscape);
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  EXPECT_FALSE(frmMain().PicEditBack.visible());
  EXPECT_EQ(ends, 0);
  press(ui::kVkEscape);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(AppEnded());
}

// A game ended at the goal (or left during a turn) leaves its "保存" off; the editor shares the
// button and must not inherit that.
TEST_F(ScreensTest, TheEditorsSaveButtonIsOnAfterAGameTurnedItOff) {
  start();
  UcButton& save = frmMain().UcBtnClose[GetTagToIndex("保存")];
  save.setEnabled(false);
  MakeTopMenu("マップ");
  EXPECT_TRUE(save.effectivelyVisible());
  EXPECT_TRUE(save.effectivelyEnabled());
}

TEST_F(ScreensTest, QuittingSavesWhatTheNextStartRestores) {
  start();
  clickOn(frmMain().UcBtnMenuSt0[0]);  // computer
  clickOn(frmMain().UcBtnMenuSt0[3]);
  clickOn(frmMain().UcBtnMenuSt0[3]);  // nobody
  clickOn(bar("次の面"));
  press(ui::kVkF4);
  clickOn(bar("終了"));
  ASSERT_EQ(ends, 1);
  const std::string file = dir / "Vorak-Dat/Vorak.Vrk";
  EXPECT_EQ(ReadIni(file, "PLAYER", "0"), "2");
  EXPECT_EQ(ReadIni(file, "PLAYER", "3"), "0");
  EXPECT_EQ(ReadIni(file, "MAP", "NOW"), "2");
  EXPECT_EQ(ReadIni(file, "CRT", "MODE"), "ON");
  // The end put the desktop's own mode back.
  EXPECT_FALSE(Game().DisplayChanged);
  EXPECT_EQ(hb->currentMode(), hb->storedMode());

  TearDown();
  ResetGameData();
  SetUp();
  start();
  EXPECT_EQ(Game().PlayerKinds, (std::array<int32_t, 4>{2, 1, 1, 0}));
  EXPECT_EQ(Game().StageNo, 2);
  EXPECT_TRUE(Game().DisplayChanged);
}

TEST_F(ScreensTest, AnUnwritableDataFolderStillQuitsAndSaysSoOnce) {
  start();
  // A file where the data folder should be cannot take the settings, even for root.
  fs::remove_all(dir.path() / "Vorak-Dat");
  dir.write("Vorak-Dat", "not a folder");
  testing::internal::CaptureStderr();
  clickOn(bar("終了"));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ends, 1);
  EXPECT_NE(err.find("settings could not be saved"), std::string::npos);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST_F(ScreensTest, MinimiseStopsTheMusicAndOptionsPanelCyclesRecords) {
  start();
  clickOn(bar("最小化"));
  EXPECT_TRUE(ui::isMinimized());
  EXPECT_FALSE(Media().Sound && Media().Sound->musicPlaying());
  hb->restore();
  pump();

  struct Case {
    int32_t before, after;
    const char* caption;
  };
  for (Case c : {Case{1, 2, "自動"}, Case{2, 0, "なし"}, Case{0, 1, "人間"}, Case{7, 1, "人間"}}) {
    Game().Players[2].sUser = c.before;
    CmdPlayer_Click(2);
    EXPECT_EQ(Game().Players[2].sUser, c.after);
    EXPECT_EQ(frmMain().CmdPlayer[2].caption(), c.caption);
  }
  Game().Players[1].sLevel = 7;
  Game().Players[1].sLuck = 12;
  cmdDataGet_Click(0);
  EXPECT_EQ(frmMain().lblLevel[1].caption(), "7");
  EXPECT_EQ(frmMain().lblLuck[1].caption(), "12");
  // "UP" levels every player up once before showing them.
  cmdDataGet_Click(1);
  EXPECT_EQ(frmMain().lblLevel[1].caption(), "8");
  EXPECT_EQ(frmMain().lblLevel[0].caption(), std::to_string(Game().Players[0].sLevel));
  cmdCloseOpt_Click();
  EXPECT_FALSE(frmMain().PicOpt.visible());
}

TEST_F(ScreensTest, TheTopStripDragsTheWindow) {
  start();
  const gfx::Rect before = hb->windowRect();
  pump();
  hb->mouseMove(150, 10);
  hb->mouseDown(150, 10);
  hb->mouseMove(190, 30);
  hb->mouseMove(200, 40);
  hb->mouseUp(200, 40);
  pump();
  EXPECT_EQ(hb->windowRect().left, before.left + 50);
  EXPECT_EQ(hb->windowRect().top, before.top + 30);
}

TEST_F(ScreensTest, ANewGameTakesTheSeatsAndLeavingItReturnsToTheTitle) {
  start();
  GameData& g = Game();
  g.PlayerKinds = {1, 0, 2, 1};
  g.PlayerNames[1] = "くろ";
  g.PlayerNames[3] = "{1&F00}あか";  // a name is shown as typed, never read as markup
  g.Players[0].sScore = 500;
  g.Monsters.clear();
  // Seat 0 is human, so the game waits for it before anyone has played; Escape then leaves the
  // game as "戻る" does.
  bool waited = false;
  atFirstWait([&] {
    waited = true;
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "開始");
    EXPECT_EQ(g.TurnCount, 1);
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      const PlayerRecord& p = g.Players[static_cast<size_t>(i)];
      EXPECT_EQ(p.sUser, g.PlayerKinds[static_cast<size_t>(i)]);
      EXPECT_EQ(p.sName, i == 3 ? "｛1&F00｝あか" : g.PlayerNames[static_cast<size_t>(i)]);
      EXPECT_EQ(p.sScore, 0);
      EXPECT_EQ(p.sLevel, g.PlayersBackup[static_cast<size_t>(i)].sLevel);
    }
    EXPECT_EQ(g.Monsters.size(), 25u);
    hb->key(ui::kVkEscape);
  });
  MakeTopMenu("開始");
  EXPECT_TRUE(waited);
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  atFirstWait([&] { clickLater(bar("戻る")); });
  MakeTopMenu("途中開始");
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  EXPECT_EQ(ends, 0);
}

TEST_F(ScreensTest, TheTurnCounterSitsOnTheStripWhileShown) {
  start();
  ui::PictureBox& s = frmMain().PicSouba;
  EXPECT_FALSE(s.visible());
  Game().TurnCount = 12;
  WriteSouba(true);
  EXPECT_TRUE(s.visible());
  EXPECT_EQ(s.rect(), gfx::Rect::xywh(220, 3, 340, 17));
  EXPECT_EQ(frmMain().PicStatusUp.children().back(), &s);
  // The strip's own background with the text over it.
  const gfx::Surface& strip = frmMain().PicStatusUp.surface();
  EXPECT_EQ(s.surface().pixel(0, 0), strip.pixel(220, 3));
  int differing = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 340; ++x) differing += s.surface().pixel(x, y) != strip.pixel(220 + x, 3 + y);
  EXPECT_GT(differing, 20);
  MakeTopMenu("ゲーム");
  EXPECT_FALSE(s.visible());
}

TEST_F(ScreensTest, AChangedBoardAsksToBeSavedBeforeTheMapChanges) {
  start();
  GameData& g = Game();
  // Answers the dialogs one step per idle pump.
  std::vector<std::function<void()>> steps;
  size_t at = 0;
  hb->onIdle = [&] {
    if (at < steps.size()) return steps[at++]();
    ADD_FAILURE() << "a dialog is still open";
    while (ui::activeWindow() != &frmMain().window) ui::activeWindow()->hide();
  };
  auto answer = [&](std::vector<std::function<void()>> s) {
    steps = std::move(s);
    at = 0;
    g.MapChanged = true;
    UcBtnClose_Click(GetTagToIndex("次の面"));
  };
  auto key = [&](int vk) { return [this, vk] { hb->key(vk); }; };

  answer({key('N')});
  EXPECT_EQ(g.StageNo, 2);
  EXPECT_FALSE(g.MapChanged);

  // Yes, then a cancelled save dialog: nothing changes.
  answer({key('Y'), key(ui::kVkEscape)});
  EXPECT_EQ(g.StageNo, 2);
  EXPECT_TRUE(g.MapChanged);

  // Yes, and the board goes over the current map's file (after the overwrite question).
  NewBlankMap();
  const BoardCells edited = g.Board;
  const std::string file = g.MapFolder + g.MapFileName;
  answer({key('Y'), key(ui::kVkReturn), key('Y')});
  EXPECT_EQ(g.StageNo, 3);
  EXPECT_FALSE(g.MapChanged);
  ASSERT_TRUE(ReadMapFile(file));
  for (int x = 0; x < kPlayColumns; ++x)
    for (int y = 0; y < kPlayRows; ++y) EXPECT_EQ(g.Board[x][y].Code, edited[x][y].Code) << x << "," << y;
  hb->onIdle = nullptr;
}

TEST_F(ScreensTest, OverwriteWritesTheBoardOrKeepsItMarkedWhenItCannot) {
  start();
  GameData& g = Game();
  MakeTopMenu("マップ");
  UcButton& over = bar("上書");
  NewBlankMap();
  const BoardCells edited = g.Board;
  g.MapChanged = true;
  over.setEnabled(true);
  clickOn(over);
  EXPECT_FALSE(g.MapChanged);
  EXPECT_FALSE(over.enabled());
  EXPECT_EQ(messages.back(), "上書きOK!");
  ASSERT_TRUE(ReadMapFile(g.MapFolder + "01-Standard.map"));
  for (int x = 0; x < kPlayColumns; ++x)
    for (int y = 0; y < kPlayRows; ++y) EXPECT_EQ(g.Board[x][y].Code, edited[x][y].Code) << x << "," << y;

  // A folder in the file's place cannot be written over.
  fs::create_directories(dir.path() / "Vorak-Map" / "05-Folder.map");
  g.MapFileName = "05-Folder.map";
  g.MapChanged = true;
  over.setEnabled(true);
  clickOn(over);
  EXPECT_TRUE(g.MapChanged);
  EXPECT_TRUE(over.enabled());
  EXPECT_NE(messages.back().find("上書きできませんでした"), std::string::npos);
}
