// The pieces over the board: wrapping, cells following the pixels, the stacking order and the
// mini views.
#include "presentation/sprites.h"

#include <gtest/gtest.h>

#include "engine/chara_setup.h"
#include "gfx/blit.h"
#include "presentation/board_draw.h"
#include "presentation/game_windows.h"
#include "presentation/panels_fixture.h"

namespace {

class SpritesTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    for (auto& column : Game().Board)
      for (auto& cell : column) SetMapCell(cell, "00");
    DrawMap();
    Init05CharaSetup();
  }
  PlayerRecord& player(int i) { return Game().Players[static_cast<size_t>(i)]; }
  const gfx::Surface& board() { return frmMain().PicMap.surface(); }
  const gfx::Surface& clean() { return frmMain().PicMapUra.surface(); }
  // Pixel (x, y) of player i's frame in pattern ptn; kInvalidColor where it is see-through.
  gfx::Color frame(int i, int ptn, int x, int y) {
    const gfx::Surface& sheet = frmPic().PicChara.surface();
    const gfx::Color c = sheet.pixel(32 * ptn + x, 32 * i + y);
    return c == sheet.pixel(0, 0) ? gfx::kInvalidColor : c;
  }
  // The same for the marker of player i in row `active`.
  gfx::Color marker(int i, int active, int x, int y) {
    const gfx::Surface& sheet = frmPic().PicWaku.surface();
    const gfx::Color c = sheet.pixel(32 * i + x, 32 * active + y);
    return c == sheet.pixel(0, 0) ? gfx::kInvalidColor : c;
  }
};

TEST_F(SpritesTest, PiecesWrapAroundTheBoardSideways) {
  struct Case {
    int32_t from, add, to, column;
  };
  const Case cases[] = {{760, 8, 768, 24}, {768, 8, 8, 0}, {0, -8, 760, 23}, {736, 0, 736, 23}};
  for (const Case& c : cases) {
    player(1).xPos = c.from;
    WriteChara(1, 3, c.add, 0);
    EXPECT_EQ(player(1).xPos, c.to) << c.from << " + " << c.add;
    EXPECT_EQ(player(1).xPosMap, c.column) << c.from << " + " << c.add;
    EXPECT_EQ(player(1).sPtn, 3);
  }
}

TEST_F(SpritesTest, APieceAboveTheBoardIsMovedButNotDrawn) {
  PlayerRecord& p = player(0);
  p.xPos = 64;
  p.yPos = -1;
  WriteChara(0, 9);
  EXPECT_EQ(p.yPosMap, 0);  // -1 \ 32 truncates toward zero
  EXPECT_EQ(board().pixels(), clean().pixels());
  // Its mini view shows the title logo instead of the board.
  WriteWindowMini(0);
  const gfx::Surface& logo = frmPic().PicTitle.surface();
  const gfx::Surface& mini = frmMain().PicMiniMap[0].surface();
  const std::vector<int> xs = gfx::stretchSamples(25, logo.width()), ys = gfx::stretchSamples(25, logo.height());
  EXPECT_EQ(mini.pixel(12, 12), logo.pixel(xs[12], ys[12]));
}

TEST_F(SpritesTest, EmptySeatsAreNeverDrawnOrMoved) {
  player(2).sUser = 0;
  player(2).xPos = 100;
  WriteChara(2, 0, 8, 0);
  WriteCharaSet(2, 0, 8, 0);
  EXPECT_EQ(player(2).xPos, 100);
  for (int i : {0, 1, 3}) player(i).sUser = 0;
  WriteCharaSet(2, 0);
  EXPECT_EQ(board().pixels(), clean().pixels());
}

TEST_F(SpritesTest, TheHandledPieceIsDrawnOnTopOfTheOthersInTheirOrder) {
  // All four on one cell: where frames overlap, the one drawn last shows; each piece's marker
  // lies under its own frame.
  for (int i = 0; i < 4; ++i) {
    player(i).xPos = 5 * 32;
    player(i).yPos = 8 * 32;
    player(i).sPtn = 0;
  }
  WriteCharaSet(2, 6);
  int onTop = 0, frontOfRest = 0, bright = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const gfx::Color shown = board().pixel(160 + x, 256 + 2 + y);
      if (frame(2, 6, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(shown, frame(2, 6, x, y)) << x << "," << y;
        ++onTop;
      } else if (marker(2, 1, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(shown, marker(2, 1, x, y)) << x << "," << y;
        ++bright;
      } else if (frame(0, 0, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(shown, frame(0, 0, x, y)) << x << "," << y;  // player 0 is in front of 1 and 3
        ++frontOfRest;
      }
    }
  EXPECT_GT(onTop, 100);
  EXPECT_GT(frontOfRest, 0);
  EXPECT_GT(bright, 0);
  // Moved by the offsets, and the mini view shows the board around the piece.
  EXPECT_EQ(player(2).sPtn, 6);
  const gfx::Surface& mini = frmMain().PicMiniMap[2].surface();
  const std::vector<int> s = gfx::stretchSamples(25, 22);
  EXPECT_EQ(mini.pixel(12, 12), board().pixel(160 + 3 + s[12], 256 + 3 + s[12]));
}

TEST_F(SpritesTest, BringingAPieceForwardKeepsTheOthersOrder) {
  struct Case {
    std::array<int32_t, 4> zPos;
    int32_t id;
    std::array<int32_t, 4> order;
  };
  const Case cases[] = {
      {{0, 1, 2, 3}, 2, {2, 0, 1, 3}},
      {{3, 2, 1, 0}, 0, {0, 3, 2, 1}},
      {{1, 1, 1, 1}, 3, {3, 0, 1, 2}},  // equal places fall back to the lower seat first
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) player(i).zPos = c.zPos[static_cast<size_t>(i)];
    CharaZorder(c.id);
    EXPECT_EQ(Game().DrawOrder, c.order);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(player(c.order[static_cast<size_t>(k)]).zPos, k);
  }
}

}  // namespace
