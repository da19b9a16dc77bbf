// The event window over the board: whose it is, what it magnifies and its title band.
#include "presentation/game_windows.h"

#include <gtest/gtest.h>

#include "engine/chara_setup.h"
#include "gfx/blit.h"
#include "presentation/board_draw.h"
#include "presentation/panels_fixture.h"
#include "presentation/sprites.h"

namespace {

class GameWindowsTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    for (auto& column : Game().Board)
      for (int row = 0; row < kBoardRows; ++row) SetMapCell(column[static_cast<size_t>(row)], row % 2 ? "01" : "00");
    DrawMap();
    Init05CharaSetup();
  }
  PlayerRecord& player(int i) { return Game().Players[static_cast<size_t>(i)]; }
  const gfx::Surface& win() { return frmMain().PicWin.surface(); }
  // Whether the event window shows the 32 x 37 pixels of `src` from (x, y), magnified.
  bool Magnifies(const gfx::Surface& src, int x, int y) {
    const std::vector<int> xs = gfx::stretchSamples(200, 32), ys = gfx::stretchSamples(200, 37);
    for (int j = 0; j < 200; j += 7)
      for (int i = 0; i < 200; i += 7) {
        const int sx = x + xs[static_cast<size_t>(i)], sy = y + ys[static_cast<size_t>(j)];
        const gfx::Color want = sx < src.width() && sy < src.height() ? src.pixel(sx, sy) : gfx::kBlack;
        if (win().pixel(i, j) != want) return false;
      }
    return true;
  }
  // How many pixels of the title band differ from the bare frame picture.
  int TitleInk() {
    const gfx::Surface& frame = frmMain().PicWinBase.surface();
    const gfx::Surface& bare = frmPic().PicStage.surface();
    int n = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 220; ++x) n += frame.pixel(x, y) != bare.pixel(x, y);
    return n;
  }
};

TEST_F(GameWindowsTest, TheWindowBelongsToTheLastPlayerShownAndNeverToAnEmptySeat) {
  MainForm& f = frmMain();
  player(0).xPos = 64;
  player(2).xPos = 320;
  player(2).yPos = 128;
  WriteCharaSet(2, 0);

  WriteWindow(-1, true);  // before any other window: player 0's
  EXPECT_EQ(f.WindowID, 0);
  EXPECT_TRUE(f.PicWinBase.visible());
  EXPECT_TRUE(Magnifies(f.PicMapUra.surface(), 64, 256));

  WriteWindow(2, false, "料金所", true);
  WriteWindow(-1, false);
  EXPECT_EQ(f.WindowID, 2);
  EXPECT_TRUE(Magnifies(f.PicMap.surface(), 320, 128));  // with the piece on it
  EXPECT_FALSE(Magnifies(f.PicMapUra.surface(), 320, 128));

  f.PicWinBase.setVisible(false);
  player(3).sUser = 0;
  WriteWindow(3, true, "ゴール", true);
  EXPECT_FALSE(f.PicWinBase.visible());
  EXPECT_EQ(f.WindowID, 2);
  WriteWindow(7, true);  // no such record
  WriteWindow(-5, true);
  EXPECT_FALSE(f.PicWinBase.visible());
}

TEST_F(GameWindowsTest, TheTitleIsDrawnInItsBandAndAnEmptyTitleWipesAnOldOne) {
  WriteWindow(1, true, "謎の老人", true);
  const int ink = TitleInk();
  EXPECT_GT(ink, 50);
  // Centred: about as much ink left of the middle as right of it.
  const gfx::Surface& frame = frmMain().PicWinBase.surface();
  const gfx::Surface& bare = frmPic().PicStage.surface();
  int left = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 110; ++x) left += frame.pixel(x, y) != bare.pixel(x, y);
  EXPECT_NEAR(static_cast<double>(left) / ink, 0.5, 0.15);
  WriteWindow(1, true, "", true);
  EXPECT_EQ(TitleInk(), 0);
}

TEST_F(GameWindowsTest, PiecesAtTheBoardsEdgesAreMagnifiedWithinTheBoard) {
  MainForm& f = frmMain();
  // The top row takes 5 pixels of the row below; the right edge reaches x 768; a piece in the
  // middle of its step off the right edge shows the board's last pixels and then nothing.
  for (auto [x, y] : {std::pair{0, 0}, std::pair{736, 288}, std::pair{768, 0}}) {
    player(1).xPos = x;
    player(1).yPos = y;
    WriteWindow(1, true);
    EXPECT_TRUE(Magnifies(f.PicMapUra.surface(), x, y)) << x << "," << y;
  }
}

TEST_F(GameWindowsTest, TheMiniViewCanBeShownMagnified) {
  player(0).xPos = 96;
  WriteCharaSet(0, 6);
  WriteWindowCopy(0);
  const gfx::Surface& mini = frmMain().PicMiniMap[0].surface();
  const std::vector<int> s = gfx::stretchSamples(200, 25);
  for (int i = 0; i < 200; i += 13) EXPECT_EQ(win().pixel(i, 199 - i), mini.pixel(s[i], s[199 - i])) << i;
}

}  // namespace
