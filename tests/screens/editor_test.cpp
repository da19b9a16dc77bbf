#include <functional>

#include "data/help.h"
#include "engine/chara_setup.h"
#include "screens/map_editor.h"
#include "screens/map_select.h"
#include "screens/top_menu.h"
#include "screens_fixture.h"

namespace {

struct Point {
  int x, y;
};

UcButton& bar(const char* tag) { return frmMain().UcBtnClose[GetTagToIndex(tag)]; }

const MapCell& cell(int x, int y) { return Game().Board[static_cast<size_t>(x)][static_cast<size_t>(y)]; }

// Every played cell that differs between two boards, as "x,y=code".
// The codes of the played cells, row by row.
std::vector<std::string> playedCodes() {
  std::vector<std::string> out;
  for (int y = 0; y < kPlayRows; ++y)
    for (int x = 0; x < kPlayColumns; ++x) out.push_back(cell(x, y).Code);
  return out;
}

std::vector<std::string> changes(const BoardCells& before, const BoardCells& after) {
  std::vector<std::string> out;
  for (int x = 0; x < kBoardColumns; ++x)
    for (int y = 0; y < kBoardRows; ++y)
      if (before[x][y].Code != after[x][y].Code)
        out.push_back(std::to_string(x) + "," + std::to_string(y) + "=" + after[x][y].Code);
  return out;
}

}  // namespace

// The editor entered from the title over a blank board, and the pointer moved by the toolkit.
class EditorTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    start();
    clickOn(bar("マップ"));
    blank();
  }
  void blank() {
    MapClear();
    SetMapChanged(false);
    frmMain().LastDropCode.clear();
    board = Game().Board;
  }

  // A press at `from`, a drag and a release at `to`, in the window's client area.
  void drag(Point from, Point to, int button = 1) {
    hb->mouseMove(from.x, from.y);
    hb->mouseDown(from.x, from.y, button);
    hb->mouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
    hb->mouseMove(to.x, to.y);
    hb->mouseUp(to.x, to.y, button);
    pump();
  }
  // Drags palette tile (column, row) so that its top-left corner ends at (x, y) of the board.
  void dropTile(int column, int row, int x, int y) {
    const gfx::Rect pal = frmMain().PicEditMap.frameRect(), map = frmMain().PicMap.frameRect();
    const Point from{pal.left + 32 * column + 16, pal.top + 32 * row + 16};
    drag(from, {from.x + map.left + x - (pal.left + 32 * column), from.y + map.top + y - (pal.top + 32 * row)});
  }
  Point cellCentre(int x, int y) {
    const gfx::Rect map = frmMain().PicMap.frameRect();
    return {map.left + 32 * x + 16, map.top + 32 * y + 16};
  }
  void clickCell(int x, int y, int button = 1, int shift = 0) {
    const Point p = cellCentre(x, y);
    hb->setShift(shift);
    hb->mouseMove(p.x, p.y);
    hb->click(p.x, p.y, button);
    pump();
    hb->setShift(0);
  }
  std::vector<std::string> edits() { return changes(board, Game().Board); }

  BoardCells board;
};

TEST_F(EditorTest, ADroppedTileLandsOnTheCellThatHoldsThePointTwelvePixelsIn) {
  struct Case {
    int x, y;             // the tile's top-left corner on the board when let go
    const char* landsOn;  // "" when nothing may change
  };
  // Palette tile (12, 2) is the treasure box "C2".
  const Case cases[] = {
      {0, 0, "0,0=C2"},   {-12, -12, "0,0=C2"}, {-13, 0, ""},          {0, -13, ""},        {19, 19, "0,0=C2"},
      {20, 20, "1,1=C2"}, {100, 40, "3,1=C2"},  {736, 288, "23,9=C2"}, {755, 0, "23,0=C2"}, {756, 0, ""},
      {0, 307, "0,9=C2"}, {0, 308, ""},         {900, 100, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    blank();
    dropTile(12, 2, c.x, c.y);
    const bool lands = *c.landsOn != 0;
    EXPECT_EQ(edits(), lands ? std::vector<std::string>{c.landsOn} : std::vector<std::string>{});
    EXPECT_EQ(Game().MapChanged, lands);
    EXPECT_EQ(bar("上書").enabled(), lands);
    EXPECT_EQ(frmMain().LastDropCode, lands ? "C2" : "");
    EXPECT_FALSE(frmMain().PicBox.visible());
  }
  // The landed tile is drawn: its cell of the board shows the palette's tile.
  blank();
  dropTile(12, 2, 64, 32);
  EXPECT_EQ(cell(2, 1).ChipX, 12);
  EXPECT_EQ(cell(2, 1).ChipY, 2);
  const gfx::Surface& map = frmMain().PicMap.surface();
  const gfx::Surface& pal = frmMain().PicEditMap.surface();
  int same = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) same += map.pixel(64 + x, 32 + y) == pal.pixel(12 * 32 + x, 2 * 32 + y);
  EXPECT_GT(same, 32 * 32 / 2);
}

TEST_F(EditorTest, DraggingFromTheBoardCopiesAndTheRightButtonErases) {
  dropTile(8, 0, 3 * 32, 2 * 32);  // the inn "80"
  drag(cellCentre(3, 2), cellCentre(6, 4));
  EXPECT_EQ(edits(), (std::vector<std::string>{"3,2=80", "6,4=80"}));
  EXPECT_EQ(frmMain().LastDropX, 6);
  EXPECT_EQ(frmMain().LastDropY, 4);

  // An erase starts no drag: the pointer's travel afterwards moves nothing.
  SetMapChanged(false);
  drag(cellCentre(6, 4), cellCentre(9, 4), ui::kRightButton);
  EXPECT_EQ(edits(), (std::vector<std::string>{"3,2=80"}));
  EXPECT_EQ(cell(6, 4).ChipX, 0);
  EXPECT_TRUE(Game().MapChanged);
  EXPECT_TRUE(bar("上書").enabled());
  EXPECT_FALSE(frmMain().PicBox.visible());

  // Outside the editor the board takes no clicks.
  hb->onIdle = [this] { hb->key('N'); };  // do not save
  clickOn(bar("戻る"));
  hb->onIdle = nullptr;
  ASSERT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  board = Game().Board;
  clickCell(0, 0, ui::kRightButton);
  EXPECT_TRUE(edits().empty());
}

TEST_F(EditorTest, ShiftClickFillsTheRectangleFromTheLastDrop) {
  struct Case {
    const char* what;
    bool dropFirst;
    int dropX, dropY, clickX, clickY, shift;
    bool fills;
  };
  const Case cases[] = {
      {"down right", true, 2, 2, 5, 4, ui::kShiftMask, true},
      {"up left", true, 6, 6, 3, 4, ui::kShiftMask, true},
      {"one row", true, 1, 0, 4, 0, ui::kShiftMask, true},
      {"the same cell", true, 7, 7, 7, 7, ui::kShiftMask, true},
      {"no drop yet", false, 2, 2, 5, 4, ui::kShiftMask, false},
      {"without shift", true, 2, 2, 5, 4, 0, false},
      {"shift and ctrl", true, 2, 2, 5, 4, ui::kShiftMask | ui::kCtrlMask, false},
      {"shift and alt", true, 2, 2, 5, 4, ui::kShiftMask | ui::kAltMask, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    blank();
    if (c.dropFirst) dropTile(4, 1, 32 * c.dropX, 32 * c.dropY);  // grass "41"
    clickCell(c.clickX, c.clickY, 1, c.shift);
    std::vector<std::string> want;
    if (c.fills) {
      for (int x = std::min(c.dropX, c.clickX); x <= std::max(c.dropX, c.clickX); ++x)
        for (int y = std::min(c.dropY, c.clickY); y <= std::max(c.dropY, c.clickY); ++y)
          if (board[x][y].Code != "41") want.push_back(std::to_string(x) + "," + std::to_string(y) + "=41");
    } else if (c.dropFirst) {
      want.push_back(std::to_string(c.dropX) + "," + std::to_string(c.dropY) + "=41");
    }
    EXPECT_EQ(edits(), want);
    // The fill is drawn: every filled cell takes its tile from the code.
    for (const std::string& w : want) {
      const int x = std::stoi(w), y = std::stoi(w.substr(w.find(',') + 1));
      EXPECT_EQ(cell(x, y).ChipX, 4) << w;
      EXPECT_EQ(cell(x, y).ChipY, 1) << w;
    }
  }
}

TEST_F(EditorTest, TooltipsShowTheHelpOfTheTileCellOrPanelValue) {
  MainForm& f = frmMain();
  auto hover = [&](const ui::Control& c, int x, int y) {
    const gfx::Rect r = c.frameRect();
    hb->mouseMove(r.left + x, r.top + y);
    pump(ui::kToolTipDelayMs + 10);
    return ui::toolTipShown();
  };
  // The palette: the tile under the pointer.
  EXPECT_EQ(hover(f.PicEditMap, 2 * 32 + 5, 1 * 32 + 31), GetCellHelp("罠", "2"));
  EXPECT_EQ(hover(f.PicEditMap, 3 * 32 + 1, 2 * 32 + 1), "必ず落ちてしまいます。\r\n70%の確率で右側に落ちます");
  EXPECT_EQ(hover(f.PicEditMap, 10 * 32 + 1, 1 * 32), "") << "the toll gate has none";

  // The board, on the title screen too: the cell under the pointer.
  clickOn(bar("戻る"));
  ASSERT_EQ(f.PicStatusUp.Tag, "ゲーム");
  Game().Board[5][3].Code = "01";
  Game().Board[6][3].Code = "80";
  EXPECT_EQ(hover(f.PicMap, 5 * 32 + 31, 3 * 32 + 2), "壁です");
  EXPECT_EQ(hover(f.PicMap, 6 * 32, 3 * 32 + 2), "休む以外に、賭博場や、射的場にも行けます。 ");

  // A status panel: the three zones and their edges.
  PlayerRecord& p = Game().Players[1];
  p.sLife = 12, p.sLifeMax = 30, p.sExp = 7, p.sExpNext = 40, p.sStr = 9, p.sLuck = 4;
  struct Zone {
    int x, y;
    const char* tip;
  };
  const Zone zones[] = {
      {35, 33, "体力:12/最大(30)"},
      {188, 48, "体力:12/最大(30)"},
      {34, 40, ""},
      {100, 49, ""},
      {35, 51, "経験値:7/次(40)"},
      {188, 66, "経験値:7/次(40)"},
      {189, 60, ""},
      {35, 69, "力:9/運:4"},
      {84, 84, "力:9/運:4"},
      {85, 70, ""},
      {60, 85, ""},
  };
  for (const Zone& z : zones) {
    hb->mouseMove(0, 0);  // off the panel, so each hover starts afresh
    pump(ui::kToolTipDelayMs);
    EXPECT_EQ(hover(f.PicPlayer[1], z.x, z.y), z.tip) << z.x << "," << z.y;
  }
}

TEST_F(EditorTest, EnteringClearingAndLoadingKeepTheOverwriteButtonHonest) {
  MainForm& f = frmMain();
  ASSERT_TRUE(ReadMapFile(Game().MapFolder + "02-Gentle.map"));
  const std::vector<std::string> gentle = playedCodes();
  blank();
  EXPECT_TRUE(f.PicEditBack.visible());
  EXPECT_FALSE(bar("上書").enabled());

  // Clearing is an edit like any other.
  Game().Board[0][0].Code = "E2";
  clickOn(bar("クリア"));
  EXPECT_EQ(cell(0, 0).Code, "00");
  EXPECT_EQ(cell(0, 1).Code, "01");
  EXPECT_TRUE(Game().MapChanged);
  EXPECT_TRUE(bar("上書").enabled());

  // Loading over unsaved edits asks first; a cancelled save keeps the board and the dialog shut.
  dropTile(14, 2, 0, 0);
  std::vector<std::function<void()>> steps;
  size_t at = 0;
  hb->onIdle = [&] {
    if (at < steps.size()) return steps[at++]();
    ADD_FAILURE() << "a dialog is still open";
    while (ui::activeWindow() != &f.window) ui::activeWindow()->hide();
  };
  steps = {[this] { hb->key('Y'); }, [this] { hb->key(ui::kVkEscape); }};
  clickOn(bar("読込み"));
  EXPECT_EQ(at, 2u);
  EXPECT_EQ(cell(0, 0).Code, "E2");

  // "No" goes on to the map dialog (never the save slots), which reads the chosen file.
  steps = {[this] { hb->key('N'); }, [this] { hb->text("02-Gentle.map"); }, [this] { hb->key(ui::kVkReturn); }};
  at = 0;
  clickOn(bar("読込み"));
  EXPECT_EQ(at, 3u);
  EXPECT_EQ(playedCodes(), gentle);
  EXPECT_EQ(Game().MapFileName, "01-Standard.map");
  hb->onIdle = nullptr;
}

TEST_F(EditorTest, AMapSavedUnderANewNameIsOfferedOnTheTitle) {
  dropTile(2, 0, 0, 8 * 32);  // a pond where the start was
  dropTile(0, 2, 5 * 32, 8 * 32);
  dropTile(14, 2, 20 * 32, 0);
  const BoardCells edited = Game().Board;
  std::vector<std::function<void()>> steps = {[this] { hb->text("04-Mine"); }, [this] { hb->key(ui::kVkReturn); }};
  size_t at = 0;
  hb->onIdle = [&] {
    if (at < steps.size()) return steps[at++]();
    ADD_FAILURE() << "a dialog is still open";
    while (ui::activeWindow() != &frmMain().window) ui::activeWindow()->hide();
  };
  clickOn(bar("保存"));
  hb->onIdle = nullptr;
  ASSERT_TRUE(fs::exists(dir.path() / "Vorak-Map" / "04-Mine.map"));
  // Saving elsewhere leaves the current map's file and the edited mark alone.
  EXPECT_TRUE(Game().MapChanged);

  hb->onIdle = [this] { hb->key('N'); };
  clickOn(bar("戻る"));
  hb->onIdle = nullptr;
  ASSERT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  clickOn(bar("前の面"));
  EXPECT_EQ(Game().StageNo, 4);
  EXPECT_EQ(Game().MapFileName, "04-Mine.map");
  EXPECT_TRUE(changes(edited, Game().Board).empty());
  EXPECT_EQ(Game().StartX, 5);
  EXPECT_EQ(Game().StartY, 8);
}
