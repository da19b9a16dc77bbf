// The board picture drawn from the generated tile sheet and sky: every pixel of a cell follows
// from its code and its row.
#include "presentation/board_draw.h"

#include <gtest/gtest.h>

#include <string>

#include "presentation/panels_fixture.h"

namespace {

class BoardDrawTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    fillBoard("00");
  }
  void fillBoard(const std::string& code) {
    for (auto& column : Game().Board)
      for (auto& cell : column) SetMapCell(cell, code);
  }
  void set(int c, int r, const std::string& code) {
    SetMapCell(Game().Board[static_cast<size_t>(c)][static_cast<size_t>(r)], code);
  }
  const gfx::Surface& sheet() { return frmPic().PicMap.surface(); }
  const gfx::Surface& sky() { return frmPic().PicMapSky.surface(); }
  const gfx::Surface& board() { return frmMain().PicMap.surface(); }

  enum class Look { Sky, Wall, Tile, SeeThrough };
  // What pixel (x, y) of cell (c, r) must show when its code (tile tx, ty) is drawn as `look`.
  gfx::Color expected(Look look, int r, int tx, int ty, int x, int y) {
    const gfx::Color skyPx = sky().pixel(x, 32 * r + y);
    const gfx::Color wallPx = sky().pixel(32 + x, 32 * r + y);
    const gfx::Color t = sheet().pixel(32 * tx + x, 32 * ty + y);
    const gfx::Color key = sheet().pixel(0, 0), hole = sheet().pixel(48, 79);
    switch (look) {
      case Look::Sky: return skyPx;
      case Look::Wall: return wallPx;
      case Look::Tile: return t == key ? skyPx : t;
      case Look::SeeThrough: return t == hole ? skyPx : t == key ? wallPx : t;
    }
    return 0;
  }
  void expectCell(int c, int r, Look look, int tx = 0, int ty = 0) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(board().pixel(32 * c + x, 32 * r + y), expected(look, r, tx, ty, x, y))
            << "cell " << c << "," << r << " at " << x << "," << y;
  }
};

TEST_F(BoardDrawTest, AnEmptyBoardIsTheSkyStripSideBySide) {
  Game().StartX = 9;
  Game().StartY = 2;
  DrawMap();
  for (int c = 0; c < 24; ++c)
    for (int r = 0; r < 10; ++r) expectCell(c, r, Look::Sky);
  EXPECT_EQ(Game().StartX, 0);
  EXPECT_EQ(Game().StartY, 8);
  EXPECT_EQ(boardDraw().MapMaskColor, static_cast<int32_t>(gfx::kMagenta));
  EXPECT_EQ(boardDraw().MapHoleColor, static_cast<int32_t>(gfx::kRed));
  // The sky runs from blue at the top to grey at the bottom.
  const gfx::Color top = board().pixel(5, 5), bottom = board().pixel(5, 315);
  EXPECT_GT(gfx::blue(top), gfx::red(top));
  EXPECT_LT(gfx::blue(bottom) - gfx::red(bottom), gfx::blue(top) - gfx::red(top));
}

TEST_F(BoardDrawTest, EachCodeDrawsItsOwnLookOverItsRowsSky) {
  set(0, 1, "01");
  set(1, 1, "10");  // a crack in a wall row
  set(2, 4, "10");  // the same crack in a floor row still shows the wall of its own row
  set(3, 6, "20");
  set(4, 8, "32");
  set(5, 7, "22");
  set(6, 4, "80");
  set(7, 4, "E2");
  set(8, 4, "F0");  // beyond the sheet
  set(9, 4, "2");   // a short code reads as tile "20"'s column, row 0
  set(10, 4, "");   // the empty tile: sky
  DrawMap();
  expectCell(0, 1, Look::Wall);
  expectCell(1, 1, Look::SeeThrough, 1, 0);
  expectCell(2, 4, Look::SeeThrough, 1, 0);
  expectCell(3, 6, Look::SeeThrough, 2, 0);
  expectCell(4, 8, Look::SeeThrough, 3, 2);
  expectCell(5, 7, Look::SeeThrough, 2, 2);
  expectCell(6, 4, Look::Tile, 8, 0);
  expectCell(7, 4, Look::Tile, 14, 2);
  expectCell(8, 4, Look::Sky);
  expectCell(9, 4, Look::Tile, 2, 0);
  expectCell(10, 4, Look::Sky);
  expectCell(11, 4, Look::Sky);

  // The crack is a fair test only if its tile really has both hole and background pixels.
  int holes = 0, background = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const gfx::Color t = sheet().pixel(32 + x, y);
      holes += t == gfx::kRed;
      background += t == gfx::kMagenta;
    }
  EXPECT_GT(holes, 20);
  EXPECT_GT(background, 200);
  EXPECT_NE(board().pixel(32 * 2 + 1, 32 * 4 + 1), sky().pixel(1, 32 * 4 + 1)) << "no wall around the crack";
}

TEST_F(BoardDrawTest, StartCellIsTheLastOneInReadingOrderAndPlainFloorInAGame) {
  set(20, 2, "02");
  set(3, 7, "02");
  set(25, 8, "02");  // outside the played columns and rows: neither drawn nor searched
  set(4, 10, "02");
  Game().Board[25][8].ChipX = 7;
  DrawMap();
  EXPECT_EQ(Game().StartX, 3);
  EXPECT_EQ(Game().StartY, 7);
  expectCell(20, 2, Look::Tile, 0, 2);
  expectCell(3, 7, Look::Tile, 0, 2);
  EXPECT_EQ(Game().Board[25][8].ChipX, 7);

  frmMain().PicStatusUp.Tag = "開始";
  DrawMap();
  EXPECT_EQ(Game().StartX, 3);
  expectCell(20, 2, Look::Sky);
  expectCell(3, 7, Look::Sky);
}

TEST_F(BoardDrawTest, ChipsFollowTheCodesOfTheDrawnCellsOnly) {
  MapCell& drawn = Game().Board[6][3];
  drawn.Code = "B2";
  drawn.ChipX = 0;
  MapCell& outside = Game().Board[6][11];
  outside.Code = "B2";
  outside.ChipX = 0;
  DrawMap();
  EXPECT_EQ(drawn.ChipX, 11);
  EXPECT_EQ(drawn.ChipY, 2);
  EXPECT_EQ(outside.ChipX, 0);
}

TEST_F(BoardDrawTest, TheCleanCopyMatchesAndTheReadersRedrawThroughTheHook) {
  set(6, 4, "80");
  InstallDrawMapHook();
  Hooks().DrawMap();
  const gfx::Surface& clean = frmMain().PicMapUra.surface();
  ASSERT_EQ(clean.width(), 768);
  ASSERT_EQ(clean.height(), 320);
  EXPECT_EQ(clean.pixels(), board().pixels());
  expectCell(6, 4, Look::Tile, 8, 0);
  Hooks().DrawMap = [] {};
}

}  // namespace
